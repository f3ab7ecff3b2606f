#pragma once

#include "toolkit/installed.h"

class QCursor;
class QWidget;

namespace qv::capture {

// What the subsystems below the shell may ask of its two windows, the frozen screen and the
// main window. They sit above them, so this is the only way down there; the shell implements
// it and the program wires it up at start.
class ShellControl {
public:
    virtual ~ShellControl() = default;

    // The frozen-screen window if one exists; asking never builds one.
    virtual QWidget* frozenScreenIfExists() = 0;
    // The frozen-screen window, built first when there is none: the owner of the
    // dialogs shown over it.
    virtual QWidget& frozenScreen() = 0;
    // Shows the frozen screen again and makes it the active window.
    virtual void showFrozenScreenAgain() = 0;
    // Stops the dots marker of the last capture, if a frozen screen exists.
    virtual void stopCaptureMarker() = 0;
    // The pointer over the frozen picture; restoreAreaPointer gives back the one of the area
    // mode (nothing when there is no frozen screen).
    virtual void setFrozenScreenPointer(const QCursor& pointer) = 0;
    virtual void restoreAreaPointer() = 0;

    // The release of the desktop the menus and the options' "release after" run.
    virtual void releaseDesktop() = 0;
    virtual void hideMainWindow() = 0;
    // The menus find their pictures by caption: after a caption changed, its picture is
    // registered again (nothing before the main window exists).
    virtual void updateMainMenuPictures() = 0;
};

// The shell of the running program.
inline ShellControl& shellControl() {
    return toolkit::Installed<ShellControl>::get();
}

}  // namespace qv::capture
