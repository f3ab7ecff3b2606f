#pragma once

#include <QImage>

#include "platform/windowid.h"
#include "toolkit/installed.h"

namespace qv::capture {

// The shape areas are marked and captured in.
enum class SelectionShape { Rectangle, Circle };

// What the captures work on: the desktop as the freeze read it, the last capture, the window
// "Capture Active Window" takes and the shape of area captures.
struct CaptureSession {
    QImage snapshot;  // the desktop as the freeze read it
    QImage buffer;    // the last capture, what the output commands save, print and copy
    // Remembered whenever the tray or a hotkey is reached, before the program's own windows
    // come to the front; 0: none.
    platform::WindowId targetWindow = 0;
    SelectionShape shape = SelectionShape::Rectangle;

    // A release lets go of the pictures and the remembered window; the shape stays chosen.
    void release() {
        snapshot = {};
        buffer = {};
        targetWindow = 0;
    }
};

// The capture session of the running program.
inline CaptureSession& session() {
    return toolkit::Installed<CaptureSession>::get();
}

}  // namespace qv::capture
