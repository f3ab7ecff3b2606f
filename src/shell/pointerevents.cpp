#include "shell/pointerevents.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace qv::shell {

PointerEvents::PointerEvents(QWidget* widget, std::function<void()> onMove,
                             std::function<void()> onClick)
    : QObject(widget), onMove_(std::move(onMove)), onClick_(std::move(onClick)) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool PointerEvents::eventFilter(QObject* watched, QEvent* event) {
    // Consumed here, so a label's events do not reach the picture below it as well.
    if (event->type() == QEvent::MouseMove && onMove_) {
        onMove_();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && onClick_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint()))
            onClick_();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qv::shell
