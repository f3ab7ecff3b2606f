#include "shell/ownwindowsabove.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/windows.h"

namespace qv::shell {

OwnWindowsAbove::OwnWindowsAbove(QWidget& frozenScreen)
    : QObject(&frozenScreen), frozenScreen_(frozenScreen) {
    qApp->installEventFilter(this);
}

OwnWindowsAbove::~OwnWindowsAbove() {
    letGo();
}

bool OwnWindowsAbove::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowActivate && type != QEvent::Hide)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (window == &frozenScreen_) {
        if (type == QEvent::Hide)
            letGo();
        return false;
    }
    if (type == QEvent::Hide) {
        giveBackTheKeys(*window);
        return false;
    }
    if (!concerns(*window))
        return false;
    if (type == QEvent::WindowActivate) {
        keepAbove(*window);
        return false;
    }
    rememberActiveWindow(*window);
    // A window is shown before it is mapped, and the window manager takes a layer only for a
    // window it manages: asked once the map request has gone out.
    QMetaObject::invokeMethod(
        this,
        [this, shown = QPointer<QWidget>(window)] {
            if (shown && shown->isVisible() && concerns(*shown))
                keepAbove(*shown);
        },
        Qt::QueuedConnection);
    return false;
}

bool OwnWindowsAbove::concerns(const QWidget& window) const {
    if (!window.isWindow() || !frozenScreen_.isVisible())
        return false;
    const Qt::WindowType type = window.windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool;
}

void OwnWindowsAbove::rememberActiveWindow(const QWidget& shown) {
    QWidget* active = QApplication::activeWindow();
    if (active && active != &shown && active != &frozenScreen_)
        activeBefore_.emplace_back(&shown, active);
}

void OwnWindowsAbove::giveBackTheKeys(const QWidget& hidden) {
    std::erase_if(activeBefore_, [](const auto& pair) { return !pair.first || !pair.second; });
    const auto it = std::find_if(activeBefore_.begin(), activeBefore_.end(),
                                 [&](const auto& pair) { return pair.first == &hidden; });
    if (it == activeBefore_.end())
        return;
    QWidget& before = *it->second;
    activeBefore_.erase(it);
    // The window manager gives the keys to the frozen screen, which owns the dialog; with the
    // keys, a window covering the screen is stacked above every other, ours included.
    if (before.isVisible() && frozenScreen_.isVisible()) {
        before.raise();
        before.activateWindow();
    }
}

void OwnWindowsAbove::keepAbove(QWidget& window) {
    platform::desktop().keepAbove(window.winId(), true);
    window.raise();
    if (std::find(kept_.begin(), kept_.end(), &window) == kept_.end())
        kept_.emplace_back(&window);
}

void OwnWindowsAbove::bringForward(QWidget& window) {
    const bool open = window.isVisible();
    window.show();
    if (FrozenScreen* frozen = shell::windows().frozenScreen.peek(); open && frozen)
        frozen->ownWindowsAbove().liftOpenWindow(window);
    window.raise();
    window.activateWindow();
}

void OwnWindowsAbove::liftOpenWindow(QWidget& window) {
    if (concerns(window))
        keepAbove(window);
}

void OwnWindowsAbove::letGo() {
    for (const QPointer<QWidget>& window : kept_) {
        // A window that asks for the top layer itself keeps it.
        if (window && window->internalWinId() &&
            !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            platform::desktop().keepAbove(window->internalWinId(), false);
    }
    kept_.clear();
}

}  // namespace qv::shell
