#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace qv::picmenu {

// State of the picture menus. Reset as a whole by constructing a new one.
struct State {
    bool onwindows95 = false;        // never true here: the menus are always drawn with pictures
    QPointer<QWidget> menuhwnd;      // the window whose menus carry pictures
    QList<QIcon> menuimages;         // picture n is menuimages[n - 1]
    QHash<QString, int> itemimages;  // caption -> picture number
};

}  // namespace qv::picmenu
