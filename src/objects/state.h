#pragma once

#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <optional>

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

// The style remembered for new shapes of one figure. The values stay empty until the Shape
// Options window first stores them; colours are 0x00BBGGRR values.
struct ShapeDefaults {
    bool remember = false;
    std::optional<qint16> backStyle;
    std::optional<qint64> backColor;
    std::optional<qint16> borderStyle;
    std::optional<double> borderWidth;  // as typed, rounded only when applied
    std::optional<qint64> borderColor;
    std::optional<qint16> fillStyle;
    std::optional<qint64> fillColor;
};

// The style remembered for new lines or arrows.
struct LineDefaults {
    std::optional<qint64> borderColor;
    std::optional<qint16> borderStyle;
    std::optional<double> borderWidth;
};

// The look remembered for new texts; empty until the Text Options window first stores it.
struct TextDefaults {
    bool remember = false;
    std::optional<QString> fontName;
    bool bold = false;
    std::optional<double> fontSize;  // points
    std::optional<qint64> foreColor;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::optional<qint64> backColor;
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
    // Line editing: a grab area is being dragged, which one (0 start, 1 middle, 2 end) and
    // the line that was current at its press.
    bool lineDragging = false;
    int lineGrabIndex = 0;
    qint16 draggedLine = 0;
    bool textDragging = false;
    bool textEditMode = false;  // the Text Options window edits the current text

    // Remembered for the run of the program, never stored.
    ShapeDefaults rectangleDefaults;
    ShapeDefaults roundRectDefaults;
    ShapeDefaults ellipseDefaults;
    ShapeDefaults circleDefaults;
    bool rememberLineStyle = false;  // one flag for lines and arrows
    LineDefaults lineDefaults;
    LineDefaults arrowDefaults;
    TextDefaults textDefaults;
    // The back colour last chosen for a text; none until one is chosen, black included.
    std::optional<qint64> textBackColor;
    // The picture file chosen last; the next image dialog starts in its folder.
    QString lastImagePath;
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::objects
