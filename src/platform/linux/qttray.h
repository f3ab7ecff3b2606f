#pragma once

#include <QSystemTrayIcon>
#include <memory>
#include <optional>

#include "platform/tray.h"

namespace qv::platform {

// The icon in the desktop's notification area (XEmbed or StatusNotifier, as Qt finds).
class QtTray : public Tray {
public:
    QtTray();
    ~QtTray() override;
    bool isAvailable() const override;
    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool isShown() const override;

    // The notification the program reacts to for a Qt activation; nothing for the others.
    static std::optional<TrayEvent> eventFor(QSystemTrayIcon::ActivationReason reason);

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace qv::platform
