#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "picmenu/menueventhook.h"
#include "picmenu/menumetrics.h"
#include "picmenu/offscreencanvas.h"
#include "toolkit/installed.h"

namespace qv::picmenu {

// What the picture menus measure and draw with, made by PictureMenus::init().
struct MenuDrawing {
    MenuMetrics metrics;
    OffscreenCanvas canvas;
};

// State of the picture menus. Reset as a whole by constructing a new one.
struct State {
    QList<QIcon> pictures;                 // picture n is pictures[n - 1]
    QHash<QString, int> pictureOfCaption;  // case-folded caption -> picture number
    int highlightStyle = 0;                // the only style drawn: the desktop's highlight
    // Twips per pixel across as the last freeze computed them; 0 before the first freeze.
    std::function<double()> freezeTwipsPerPixelX;
    std::optional<MenuDrawing> drawing;
    std::vector<std::unique_ptr<MenuEventHook>> hooks;  // one per hooked popup
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::picmenu
