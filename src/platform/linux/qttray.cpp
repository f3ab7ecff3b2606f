#include "platform/linux/qttray.h"

namespace qv::platform {

QtTray::QtTray() = default;
QtTray::~QtTray() = default;

bool QtTray::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<TrayEvent> QtTray::eventFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return TrayEvent::LeftDoubleClick;
        case QSystemTrayIcon::Context:
            return TrayEvent::RightButtonUp;
        case QSystemTrayIcon::Trigger:
            // Tray hosts report no hovering; a single click is the nearest sign that the
            // pointer has reached the icon.
            return TrayEvent::MouseMove;
        default:
            return std::nullopt;
    }
}

void QtTray::add(const QIcon& icon, const QString& tip) {
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             const std::optional<TrayEvent> event = eventFor(reason);
                             if (event && onEvent)
                                 onEvent(*event);
                         });
    }
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    // Shown also without a tray host: Qt embeds the icon when a host appears later.
    icon_->show();
}

void QtTray::remove() {
    if (icon_)
        icon_->hide();
}

bool QtTray::isShown() const {
    return icon_ && icon_->isVisible();
}

}  // namespace qv::platform
