#pragma once

#include <QPointF>
#include <QtGlobal>
#include "toolkit/installed.h"

namespace qv::objects {

// What the objects of one freeze set up; a release resets it as a whole.
struct FreezeFlags {
    bool objectsAdded = false;  // objects were added or edited since the freeze
    bool objectsDeleted = false;
    bool shapeOptionsOpen = false;
    bool lineOptionsOpen = false;
    bool textOptionsOpen = false;
    bool shapeColorDialogOpen = false;
    bool lineColorDialogOpen = false;
    bool popupNoticeShown = false;
};

// State of the annotation objects on the frozen screen. Reset as a whole by constructing a
// new one.
struct State {
    FreezeFlags freeze;
    qint16 currentText = 0;
    qint16 currentShape = 0;
    qint16 currentImage = 0;
    qint16 currentLine = 0;
    QPointF newObjectPos;
    bool shapeSelected = false;
    bool imageSelected = false;
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::objects
