#pragma once

#include <QAbstractNativeEventFilter>
#include <memory>

#include "platform/desktop.h"
#include "platform/linux/x11connection.h"
#include "platform/linux/x11grabber.h"
#include "platform/linux/x11windows.h"

namespace qv::platform {

// The primary screen of an X display. Off X11 (offscreen) it answers from Qt's screen and
// knows no windows, so callers take their "no window" paths.
class X11Desktop : public Desktop, private QAbstractNativeEventFilter {
public:
    X11Desktop();
    ~X11Desktop() override;

    QSize screenSize() const override;
    int logicalDpiX() const override;
    int logicalDpiY() const override;
    QImage grab(const QRect& rect) override;
    WindowId foregroundWindow() const override;
    QString windowTitle(WindowId window) const override;
    QRect windowFrame(WindowId window) const override;
    bool isDesktop(WindowId window) const override;
    WindowId lastForeignWindow() const override;
    QPoint cursorPos() const override;
    bool leftButtonDown() const override;
    std::unique_ptr<BusyPointer> busyPointer() override;
    void flush() override;
    void settle() override;
    void settleActivation() override;
    bool isOwnWindow(WindowId window) const override;
    void keepAbove(WindowId window, bool above) override;
    void stackBelow(WindowId window, WindowId other) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool isOurs(WindowId window) const;
    void noteForeground(WindowId window) const;
    bool isForeign(WindowId window) const;
    void setRootCursor(bool busy);

    x11::XConnection x_;
    x11::X11Windows windows_;
    std::unique_ptr<x11::X11Grabber> grabber_;
    mutable WindowId lastForeign_ = 0;
    int busyGuards_ = 0;

    friend class RootBusyPointer;
};

}  // namespace qv::platform
