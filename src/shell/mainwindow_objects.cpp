// The main window's commands for the annotation objects on the frozen screen.
#include <QAction>

#include "objects/paste.h"
#include "objects/state.h"
#include "objects/windows.h"
#include "shell/clipboardmenus.h"
#include "shell/frozenscreen.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::shell {

namespace {

objects::ObjectLayer* frozenObjects() {
    FrozenScreen* frozen = shell::windows().frozenScreen.peek();
    return frozen ? frozen->objectLayer : nullptr;
}

}  // namespace

void MainWindow::connectObjectCommands() {
    connect(deleteShapeItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            layer->deleteCurrentShape();
    });
    connect(deleteImageItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            layer->deleteCurrentImage();
    });
    connect(deleteLineItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            layer->deleteCurrentLine();
    });
    connect(deleteTextItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            layer->deleteCurrentText();
    });
    connect(editTextItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects()) {
            // Text Options reads the mode as it builds itself.
            objects::state().textEditMode = true;
            objects::windows().textOptions->openFor(*layer);
        }
    });
    connect(shapeOptionsItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            objects::windows().shapeOptions->openFor(*layer);
    });
    connect(lineOptionsItem, &QAction::triggered, this, [] {
        if (objects::ObjectLayer* layer = frozenObjects())
            objects::windows().lineOptions->openFor(*layer);
    });
}

void MainWindow::showObjectsPalette() {
    if (objects::ObjectLayer* layer = frozenObjects())
        objects::windows().objectsPalette->showFor(*layer);
}

void MainWindow::hideObjectsPalette() {
    if (QWidget* palette = objects::windows().objectsPalette.peek())
        palette->hide();
}

void MainWindow::pasteFromClipboard() {
    objects::pasteFromClipboard(frozenObjects(), classifyClipboard());
}

}  // namespace qv::shell
