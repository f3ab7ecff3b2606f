#pragma once

namespace qv::picmenu {

// State of the picture menus. Reset as a whole by constructing a new one.
struct State {
    bool onwindows95 = false;  // never true here: the menus are always drawn with pictures
};

}  // namespace qv::picmenu
