#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <functional>

#include "picmenu/state.h"

class QMenu;

namespace qv::picmenu {

class PictureMenuStyle;

// The menus drawn with pictures: each hooked popup draws its items itself, with the picture
// registered for the item's caption in a column on the left, check and bullet glyphs, the
// highlight, embossed disabled items, etched separators and a shortcut column.
class PictureMenus {
public:
    explicit PictureMenus(State& state) : state_(state) {}

    // Makes what the menus measure and draw with: the menu font and the drawing surface.
    void init();
    // How a selected item is highlighted; 0, the desktop's highlight, is the only style drawn.
    void setHighlightStyle(int style);
    // From now on each popup is measured from its current captions whenever it opens and draws
    // its items with pictures. freezeTwipsPerPixelX gives the twips per pixel across of the
    // last freeze, 0 before the first one. Hooking again first unhooks the popups hooked before.
    void hookMenus(const QList<QMenu*>& popups, std::function<double()> freezeTwipsPerPixelX);
    // Releases the drawing surface and gives every hooked popup its previous style back; the
    // popups then draw as plain menus. Unhooking again does nothing.
    void unhookMenus();
    // The pictures to choose from, picture n being pictures[n - 1].
    void setPictures(const QList<QIcon>& pictures);
    // Forgets every caption registered.
    void clearItemPictures();
    // Items captioned caption (letter case aside) show picture n (counted from 1), replacing an
    // earlier registration; 0 takes their picture away.
    void setItemPicture(const QString& caption, int picture);
    // Every hooked popup reads and measures its items again when it next asks for sizes.
    void forgetPreparedMenus();

    // The style drawing a hooked popup; null when the popup is not hooked.
    PictureMenuStyle* styleOf(const QMenu* popup) const;

private:
    State& state_;
};

// The picture registered for a caption; null when there is none.
QIcon pictureOf(const State& state, const QString& caption);
// What the menus measure and draw with, made at the first need when init() has not run.
MenuDrawing& drawingOf(State& state);

}  // namespace qv::picmenu
