#pragma once

#include <QRect>
#include <QString>

#include "platform/linux/x11connection.h"
#include "platform/windowid.h"

namespace qv::platform::x11 {

// Questions about the top-level windows of an X display, answered through the window
// manager's properties where one runs and through the plain window tree where none does.
class X11Windows {
public:
    explicit X11Windows(XConnection x) : x_(x) {}

    // The window with the keyboard focus: _NET_ACTIVE_WINDOW, else the top-level window
    // holding the input focus; 0 when there is none.
    WindowId active() const;
    // _NET_WM_NAME (UTF-8), else WM_NAME.
    QString title(WindowId window) const;
    // Outer rectangle in root co-ordinates, decorations included; empty when the window is
    // gone or not viewable.
    QRect frame(WindowId window) const;
    // A panel or dock (_NET_WM_WINDOW_TYPE_DOCK): part of the desktop's furniture, never the
    // window a user works in.
    bool isPanelType(WindowId window) const;
    bool isDesktopType(WindowId window) const;
    bool exists(WindowId window) const;
    // The process id the window's owner declared (_NET_WM_PID), 0 when unknown.
    qint64 processId(WindowId window) const;
    // The process that made the window: the one it declares, else the one the X server knows
    // for the connection that created it (X-Resource); 0 when neither tells.
    qint64 makerProcess(WindowId window) const;
    // The first managed (or, without a window manager, mapped top-level) window a process made.
    WindowId findByProcess(qint64 pid) const;
    // Maps, de-iconifies, raises and focuses the window. False when it does not exist.
    bool restore(WindowId window) const;

private:
    bool hasWindowManager() const;
    xcb_window_t topLevelOf(xcb_window_t window) const;
    bool hasType(WindowId window, const char* typeName) const;
    qint64 connectionProcess(WindowId window) const;

    XConnection x_;
};

}  // namespace qv::platform::x11
