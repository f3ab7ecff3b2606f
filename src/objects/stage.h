#pragma once

#include <QPointF>

class QWidget;

namespace qv::objects {

// What the objects need of the window they lie on, which a higher layer owns.
class Stage {
public:
    virtual ~Stage() = default;
    // The window that owns the objects' dialogs and tool windows.
    virtual QWidget* stageWindow() = 0;
    // The pointer on the canvas in twips, as the system reports it now.
    virtual QPointF pointerTwips() const = 0;
    // Captures the marked area again, with the objects as they show now.
    virtual void captureAreaAgain() = 0;
    // The object menus, at the pointer.
    virtual void popUpShapeMenu() = 0;
    virtual void popUpImageMenu() = 0;
    virtual void popUpLineMenu() = 0;
    virtual void popUpTextMenu() = 0;
};

}  // namespace qv::objects
