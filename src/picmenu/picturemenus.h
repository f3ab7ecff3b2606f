// Stand-in until the picture menus are built: plain menus that show the registered pictures.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

#include "picmenu/state.h"

class QWidget;

namespace qv::picmenu {

// The pictures of a window's menus, kept in state: each item shows the picture registered for
// its caption whenever its menu opens.
class PictureMenus {
public:
    explicit PictureMenus(State& state) : state_(state) {}

    // From now on every menu window has now shows its pictures when it opens; attaching the
    // same window again adds nothing.
    void attach(QWidget* window);
    // The menus show no new pictures from now on.
    void detach();
    // The pictures to choose from, picture n being pictures[n - 1]; forgets every caption
    // registered before.
    void setPictures(const QList<QIcon>& pictures);
    // Items captioned caption show picture n (counted from 1); 0 takes their picture away.
    void setItemPicture(const QString& caption, int picture);

private:
    State& state_;
};

}  // namespace qv::picmenu
