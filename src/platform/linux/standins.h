// Stand-in until the desktop layer is built.
#pragma once

#include "platform/desktop.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"
#include "platform/shell.h"

namespace qv::platform {

// The screen through Qt; knows no other program's windows.
class QtDesktop : public Desktop {
public:
    QSize screenSize() const override;
    int logicalDpiX() const override;
    int logicalDpiY() const override;
    QImage grab(const QRect& rect) override;
    WindowId foregroundWindow() const override { return 0; }
    QString windowTitle(WindowId) const override { return {}; }
    QRect windowFrame(WindowId) const override { return {}; }
    bool isDesktop(WindowId window) const override { return window == 0; }
    WindowId lastForeignWindow() const override { return 0; }
    QPoint cursorPos() const override;
    bool leftButtonDown() const override;
    std::unique_ptr<BusyPointer> busyPointer() override;
};

// Accepts registrations but grabs no keys.
class UngrabbedHotkeys : public Hotkeys {
public:
    int registerHotkey(int, int, char) override { return 0; }
    bool unregisterHotkey(int) override { return true; }
};

class QtLocale : public Locale {
public:
    QString measurementSystem() const override;
    QString decimalSeparator() const override;
};

class DesktopServicesShell : public Shell {
public:
    int open(const QString& target) override;
    int start(const QString& program, const QStringList& arguments) override;
    bool restoreWindow(WindowId) override { return false; }
};

}  // namespace qv::platform
