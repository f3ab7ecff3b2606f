// Stand-in until the desktop layer is built.
#include "platform/linux/qttray.h"

namespace qv::platform {

QtTray::QtTray() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](auto reason) {
        if (!onEvent)
            return;
        if (reason == QSystemTrayIcon::DoubleClick)
            onEvent(TrayEvent::LeftDoubleClick);
        else if (reason == QSystemTrayIcon::Context)
            onEvent(TrayEvent::RightButtonUp);
    });
}

bool QtTray::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::add(const QIcon& icon, const QString& tip) {
    icon_.setIcon(icon);
    icon_.setToolTip(tip);
    icon_.show();
}

void QtTray::remove() {
    icon_.hide();
}

bool QtTray::isShown() const {
    return icon_.isVisible();
}

}  // namespace qv::platform
