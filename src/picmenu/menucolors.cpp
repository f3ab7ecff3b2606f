#include "picmenu/menucolors.h"

#include "toolkit/colors.h"

namespace qv::picmenu {

MenuColors MenuColors::current() {
    const auto system = [](int index) {
        return toolkit::colorFromValue(toolkit::kSystemColorFlag | index);
    };
    MenuColors colors;
    colors.background = system(4);
    colors.text = system(7);
    colors.selectedText = system(14);
    colors.highlight = system(13);
    colors.light = system(20);
    colors.dark = system(16);
    colors.outerLight = system(22);
    colors.outerDark = system(21);
    return colors;
}

}  // namespace qv::picmenu
