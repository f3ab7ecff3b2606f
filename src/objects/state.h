#pragma once

#include <QPointF>
#include <QtGlobal>

namespace qv::objects {

// State of the annotation objects on the frozen screen. Reset as a whole by constructing a
// new one.
struct State {
    qint16 currenttext = 0;
    qint16 currentshape = 0;
    qint16 currentimage = 0;
    qint16 currentline = 0;
    QPointF newobjectpos;
    bool objectsadded = false;
    bool objectsdeleted = false;
    bool shapeselected = false;
    bool imageselected = false;
    bool shapeoptionsopen = false;
    bool lineoptionsopen = false;
    bool textoptionsopen = false;
    bool shapecolordialogopen = false;
    bool linecolordialogopen = false;
    bool popupnoticeshown = false;
};

}  // namespace qv::objects
