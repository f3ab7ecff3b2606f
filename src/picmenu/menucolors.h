#pragma once

#include <QColor>

namespace qv::picmenu {

// The desktop colours the picture menus are drawn in.
struct MenuColors {
    QColor background;    // menu
    QColor text;          // menu text
    QColor selectedText;  // highlighted text
    QColor highlight;
    QColor light;       // the light part of an edge and of embossed text; the checker's dots
    QColor dark;        // the dark part of an edge and of embossed text
    QColor outerLight;  // the outer edge of the popup's frame, top and left
    QColor outerDark;   // the outer edge of the popup's frame, bottom and right

    static MenuColors current();
};

}  // namespace qv::picmenu
