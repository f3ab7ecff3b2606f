#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>
#include "toolkit/installed.h"

namespace qv::picmenu {

// State of the picture menus. Reset as a whole by constructing a new one.
struct State {
    QPointer<QWidget> window;                    // the window whose menus carry pictures
    QList<QIcon> pictures;                       // picture n is pictures[n - 1]
    QHash<QString, int> pictureOfCaption;        // item caption -> picture number
    std::vector<QMetaObject::Connection> hooks;  // one per menu of window while attached
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::picmenu
