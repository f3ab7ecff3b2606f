#pragma once

#include <QIcon>
#include <QString>
#include <functional>

namespace qv::platform {

// Notifications of the tray icon, named after the mouse messages the program reacts to.
enum class TrayEvent { MouseMove, LeftDoubleClick, RightButtonUp };

class Tray {
public:
    virtual ~Tray() = default;
    // False when no tray host runs on this desktop.
    virtual bool isAvailable() const = 0;
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    std::function<void(TrayEvent)> onEvent;
};

}  // namespace qv::platform
