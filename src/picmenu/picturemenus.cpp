#include "picmenu/picturemenus.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "picmenu/picturemenustyle.h"

namespace qv::picmenu {

namespace {

QString keyOf(const QString& caption) {
    return caption.toCaseFolded();
}

}  // namespace

QIcon pictureOf(const State& state, const QString& caption) {
    const int picture = state.pictureOfCaption.value(keyOf(caption));
    if (picture < 1 || picture > state.pictures.size())
        return {};
    return state.pictures[picture - 1];
}

MenuDrawing& drawingOf(State& state) {
    if (!state.drawing)
        state.drawing.emplace();
    return *state.drawing;
}

void PictureMenus::init() {
    MenuDrawing& drawing = state_.drawing.emplace();
    // Wide enough for any item on the screen, one line high; it grows when an item is larger.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        drawing.canvas.setWidth(screen->size().width());
    drawing.canvas.setHeight(24);
}

void PictureMenus::setHighlightStyle(int style) {
    state_.highlightStyle = style;
}

void PictureMenus::hookMenus(const QList<QMenu*>& popups,
                             std::function<double()> freezeTwipsPerPixelX) {
    state_.hooks.clear();
    state_.freezeTwipsPerPixelX = std::move(freezeTwipsPerPixelX);
    for (QMenu* popup : popups) {
        if (!popup)
            continue;
        auto style = std::make_unique<PictureMenuStyle>(copyOfStyle(*popup), state_);
        PictureMenuStyle* popupStyle = style.get();
        QObject::connect(popup, &QMenu::aboutToShow, popupStyle,
                         [popupStyle, popup] { popupStyle->prepare(*popup); });
        auto hook = std::make_unique<MenuEventHook>();
        hook->hook(popup, std::move(style));
        state_.hooks.push_back(std::move(hook));
    }
}

void PictureMenus::unhookMenus() {
    state_.drawing.reset();
    state_.hooks.clear();
}

void PictureMenus::setPictures(const QList<QIcon>& pictures) {
    state_.pictures = pictures;
}

void PictureMenus::clearItemPictures() {
    state_.pictureOfCaption.clear();
}

void PictureMenus::setItemPicture(const QString& caption, int picture) {
    if (picture != 0)
        state_.pictureOfCaption.insert(keyOf(caption), picture);
    else
        state_.pictureOfCaption.remove(keyOf(caption));
}

void PictureMenus::forgetPreparedMenus() {
    for (const auto& hook : state_.hooks) {
        if (auto* style = dynamic_cast<PictureMenuStyle*>(hook->style()))
            style->forget();
    }
}

PictureMenuStyle* PictureMenus::styleOf(const QMenu* popup) const {
    for (const auto& hook : state_.hooks) {
        if (hook->menu() == popup)
            return dynamic_cast<PictureMenuStyle*>(hook->style());
    }
    return nullptr;
}

}  // namespace qv::picmenu
