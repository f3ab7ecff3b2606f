// Stand-in until the desktop layer is built.
#pragma once

#include <QSystemTrayIcon>

#include "platform/tray.h"

namespace qv::platform {

class QtTray : public Tray {
public:
    QtTray();
    bool isAvailable() const override;
    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool isShown() const override;

private:
    QSystemTrayIcon icon_;
};

}  // namespace qv::platform
