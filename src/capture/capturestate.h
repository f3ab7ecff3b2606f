#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

#include "platform/windowid.h"
#include "toolkit/installed.h"

namespace qv::capture {

enum class DragState { Idle, Dragging };

// What the clipboard holds, as "Paste from Clipboard" sees it.
enum class ClipboardContent { Nothing, Text, Bitmap };

// What one freeze of the desktop sets up; a release resets it as a whole.
struct FreezeFlags {
    bool desktopFrozen = false;
    bool pendingWindow = false;     // "Capture Active Window" waits for the frozen screen
    bool pendingScreen = false;     // "Capture Entire Screen" waits for the frozen screen
    bool captureAvailable = false;  // a capture exists: the output commands are offered
    bool recaptured = false;        // the band was just captured again: the next mouse-up only ends
    bool dialogOpen = false;        // a dialog over the frozen screen is open
};

// The capture state every subsystem reads: what is frozen, pending and captured now, and the
// geometry of the frozen screen and its area drag. Reset as a whole by constructing a new one.
struct State {
    FreezeFlags freeze;

    bool captureValid = false;           // the last capture is usable; a release keeps it
    bool contextMenuFromHotkey = false;  // the context menu was popped by its hotkey
    bool areaCaptureRunning = false;

    platform::WindowId frozenForeground = 0;
    QPointF rightClickPos;
    ClipboardContent clipboardContent = ClipboardContent::Nothing;

    // Screen geometry, recomputed by every freeze.
    int screenPixelWidth = 0;
    int screenPixelHeight = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    double screenTwipsWidth = 0;
    double screenTwipsHeight = 0;

    // The area drag on the frozen picture, in twips.
    DragState dragState = DragState::Idle;
    QPoint dragStart;
    QPoint dragEnd;
    QPoint dragLast;  // the pointer at the last move; the band reaches it at the next one
    // The corners of the band as last drawn, which "capture again" takes.
    int bandX1 = 0;
    int bandX2 = 0;
    int bandY1 = 0;
    int bandY2 = 0;
    double circleRadius = 0;
};

// The capture state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::capture
