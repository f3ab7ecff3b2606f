#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

#include "platform/windowid.h"

namespace qv::platform {

// Held while the desktop is frozen: the busy pointer shows until the guard goes away.
class BusyPointer {
public:
    virtual ~BusyPointer() = default;
};

// The primary screen and the windows on it, in device pixels.
class Desktop {
public:
    virtual ~Desktop() = default;

    virtual QSize screenSize() const = 0;
    // Logical dots per inch; twips per pixel = 1440 / dpi.
    virtual int logicalDpiX() const = 0;
    virtual int logicalDpiY() const = 0;

    // What the screen shows inside rect (clipped to the screen), pixel for pixel.
    virtual QImage grab(const QRect& rect) = 0;
    QImage grabScreen() { return grab(QRect(QPoint(0, 0), screenSize())); }

    virtual WindowId foregroundWindow() const = 0;
    virtual QString windowTitle(WindowId window) const = 0;
    // The window's outer rectangle with its decorations; empty when it is gone or unmapped.
    virtual QRect windowFrame(WindowId window) const = 0;
    // True for "no window" and for the desktop background itself.
    virtual bool isDesktop(WindowId window) const = 0;
    // The most recent foreground window that does not belong to this program.
    virtual WindowId lastForeignWindow() const = 0;
    virtual QPoint cursorPos() const = 0;
    virtual bool leftButtonDown() const = 0;

    virtual std::unique_ptr<BusyPointer> busyPointer() = 0;

    // A window of this program: its own windows are never another program's.
    virtual bool isOwnWindow(WindowId window) const {
        (void)window;
        return false;
    }
    // Told, where the window system says so, each time a window becomes the foreground one:
    // a window of this program or of another (never the desktop, a panel or "no window").
    std::function<void(WindowId)> onForegroundChanged;
    // Puts window into the layer kept above all ordinary windows, or takes it out again.
    virtual void keepAbove(WindowId window, bool above) {
        (void)window;
        (void)above;
    }
    // Stacks window right under other, so that other shows in front of it.
    virtual void stackBelow(WindowId window, WindowId other) {
        (void)window;
        (void)other;
    }

    // Lets the window system take every activation of our windows asked for so far, before
    // the foreground goes to another program: one arriving later would take it back.
    virtual void settleActivation() {}

    // Sends the window changes made so far (hidden, shown, moved windows) to the window
    // system and waits until it has taken them, so that the next grab reflects them.
    virtual void flush() {}
    // Lets the screen catch up before a grab: the window changes made so far (a menu of ours
    // that just closed, a hidden window) are carried out, and our own windows have repainted
    // what they uncovered. Handles no user input.
    virtual void settle() { flush(); }
};

}  // namespace qv::platform
