// Where the frozen screen meets the annotation objects lying on it.
#include <QMenu>

#include "objects/objectitems.h"
#include "objects/state.h"
#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::shell {

void FrozenScreen::createObjectItems() {
    objectLayer = new objects::ObjectLayer(*canvas, *this, this);
    const objects::ObjectItems& items = objectLayer->items();
    shapes = items.shapes;
    lines = items.lines;
    shapeHoverMark = items.shapeOverlay;
    lineGrabAreas = items.lineGrabAreas;
}

void FrozenScreen::clearObjects() {
    objects::clearObjects(objectLayer->items());
}

void FrozenScreen::hideHoverMarks() {
    objects::clearPositionItems(objectLayer->items());
}

bool FrozenScreen::objectSelected() const {
    return objects::objectSelected(objectLayer->items());
}

void FrozenScreen::setObjectPointers(int pointer) {
    const objects::ObjectItems& items = objectLayer->items();
    const auto& s = objects::state();
    items.texts[s.currentText]->setMousePointer(pointer);
    items.images[s.currentImage]->setMousePointer(pointer);
}

void FrozenScreen::popUpShapeMenu() {
    QMenu* menu = shell::windows().mainWindow->shapePopup;
    menu->exec(toLogicalPixels(platform::desktop().cursorPos()));
}

void FrozenScreen::popUpImageMenu() {
    QMenu* menu = shell::windows().mainWindow->imagePopup;
    menu->exec(toLogicalPixels(platform::desktop().cursorPos()));
}

void FrozenScreen::popUpLineMenu() {
    QMenu* menu = shell::windows().mainWindow->linePopup;
    menu->exec(toLogicalPixels(platform::desktop().cursorPos()));
}

void FrozenScreen::popUpTextMenu() {
    QMenu* menu = shell::windows().mainWindow->textPopup;
    menu->exec(toLogicalPixels(platform::desktop().cursorPos()));
}

}  // namespace qv::shell
