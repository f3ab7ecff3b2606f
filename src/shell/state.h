#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

#include "platform/windowid.h"

namespace qv::shell {

// Capture state of the shell: what is frozen, pending and captured now. Reset as a whole by
// constructing a new one.
struct State {
    bool desktopfrozen = false;
    bool pendingwindow = false;
    bool pendingscreen = false;
    bool capturevalid = false;      // the last capture is usable (not cleared by a release)
    bool captureavailable = false;  // a capture exists: the output commands are offered
    bool circularmode = false;
    bool rectangularmode = true;
    bool contextpopup = false;  // the context menu was popped by its hotkey
    bool trayhover = false;     // the pointer rests on the tray icon
    bool areacapturerunning = false;
    bool recaptured = false;
    bool dialogopen = false;  // a dialog over the frozen screen is open

    platform::WindowId frozenforeground = 0;
    QPointF rightclickpos;
    QString clipboardclass = QStringLiteral("nothing");  // "text", "bitmap" or "nothing"
    QString programpath;                                 // the program's folder
    QString helpfile;                                    // the help page of the program

    // Screen geometry, recomputed by every freeze.
    int screenpixelwidth = 0;
    int screenpixelheight = 0;
    double twipsperpixelx = 15;
    double twipsperpixely = 15;
    double screentwipswidth = 0;
    double screentwipsheight = 0;

    // The area drag on the frozen picture, in twips.
    int dragstate = 1;  // 1 no drag, 2 a drag under way
    QPoint dragstart;
    QPoint dragend;
    QPoint draglast;
    int bandx1 = 0;
    int bandx2 = 0;
    int bandy1 = 0;
    int bandy2 = 0;
    double circleradius = 0;
};

}  // namespace qv::shell
