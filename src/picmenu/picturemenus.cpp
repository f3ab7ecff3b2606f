// Stand-in until the picture menus are built: plain menus that show the registered pictures.
#include "picmenu/picturemenus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace qv::picmenu {

namespace {

void showPictures(const State& state, QMenu* menu) {
    for (QAction* item : menu->actions()) {
        if (item->isSeparator())
            continue;
        const int picture = state.pictureOfCaption.value(item->text());
        const bool known = picture >= 1 && picture <= state.pictures.size();
        item->setIcon(known ? state.pictures[picture - 1] : QIcon());
    }
}

}  // namespace

void PictureMenus::attach(QWidget* window) {
    if (!window || (window == state_.window && !state_.hooks.empty()))
        return;
    detach();
    state_.window = window;
    State* state = &state_;
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        state_.hooks.push_back(QObject::connect(menu, &QMenu::aboutToShow, menu,
                                                [state, menu] { showPictures(*state, menu); }));
    }
}

void PictureMenus::detach() {
    for (const QMetaObject::Connection& hook : state_.hooks)
        QObject::disconnect(hook);
    state_.hooks.clear();
}

void PictureMenus::setPictures(const QList<QIcon>& pictures) {
    state_.pictures = pictures;
    state_.pictureOfCaption.clear();
}

void PictureMenus::setItemPicture(const QString& caption, int picture) {
    if (picture != 0)
        state_.pictureOfCaption.insert(caption, picture);
    else
        state_.pictureOfCaption.remove(caption);
}

}  // namespace qv::picmenu
