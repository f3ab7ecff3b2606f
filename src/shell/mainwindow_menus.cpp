#include <QAction>
#include <QMenu>
#include <utility>
#include <vector>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "options/helpfile.h"
#include "options/windows.h"
#include "picmenu/picturemenus.h"
#include "picmenu/state.h"
#include "platform/services.h"
#include "shell/mainwindow.h"
#include "shell/ownwindowsabove.h"
#include "shell/windows.h"

namespace qv::shell {

namespace {

// Adds the items in order with a separator between every two of them.
void addItems(QMenu* menu, std::initializer_list<std::pair<QAction**, const char*>> items) {
    bool first = true;
    for (const auto& [item, caption] : items) {
        if (!first)
            menu->addSeparator();
        first = false;
        *item = menu->addAction(QString::fromLatin1(caption));
    }
}

}  // namespace

void MainWindow::buildMenus() {
    trayMenu = new QMenu(QStringLiteral("File"), this);
    addItems(trayMenu, {{&helpItem, "Help..."},
                        {&infoItem, "Info..."},
                        {&exitItem, "Exit"},
                        {&optionsItem, "Options..."},
                        {&captureScreenItem, "Capture Entire Screen"},
                        {&captureWindowItem, "Capture Active Window"},
                        {&freezeItem, "Freeze Desktop             "},
                        {&releaseItem, "Release Desktop"}});

    contextMenu = new QMenu(QStringLiteral("Context"), this);
    addItems(contextMenu, {{&addObjectItem, "Add Objects..."},
                           {&rectangleModeItem, "Capture Rectangular Area          "},
                           {&circleModeItem, "Capture Circular Area"},
                           {&saveToDefaultFolderItem, "Save to Default Directory"},
                           {&saveAsItem, "Save As..."},
                           {&printToDefaultPrinterItem, "Print to Default Printer"},
                           {&printItem, "Print..."},
                           {&pageSetupItem, "Page Setup..."},
                           {&pastingApplicationItem, "Start Default Application"},
                           {&pasteItem, "Paste from Clipboard"},
                           {&copyItem, "Copy to Clipboard"},
                           {&emailItem, "Email To..."},
                           {&contextReleaseItem, "Release Desktop"}});
}

void MainWindow::buildObjectPopups() {
    textPopup = new QMenu(QStringLiteral("Text"), this);
    addItems(textPopup, {{&editTextItem, "Edit..."}, {&deleteTextItem, "delete"}});
    shapePopup = new QMenu(QStringLiteral("Shape"), this);
    addItems(shapePopup, {{&shapeOptionsItem, "Options..."}, {&deleteShapeItem, "delete"}});
    linePopup = new QMenu(QStringLiteral("Line"), this);
    addItems(linePopup, {{&lineOptionsItem, "Options..."}, {&deleteLineItem, "Delete"}});
    imagePopup = new QMenu(QStringLiteral("Image"), this);
    addItems(imagePopup, {{&deleteImageItem, "Delete"}});
}

void MainWindow::connectMenus() {
    const std::vector<std::pair<QAction*, void (MainWindow::*)()>> commands = {
        {helpItem, &MainWindow::showHelp},
        {infoItem, &MainWindow::showInfo},
        {exitItem, &MainWindow::exitProgram},
        {optionsItem, &MainWindow::showOptions},
        {captureScreenItem, &MainWindow::captureEntireScreen},
        {captureWindowItem, &MainWindow::captureActiveWindow},
        {freezeItem, &MainWindow::freezeDesktop},
        {releaseItem, &MainWindow::releaseDesktop},
        {addObjectItem, &MainWindow::showObjectsPalette},
        {rectangleModeItem, &MainWindow::selectRectangleMode},
        {circleModeItem, &MainWindow::selectCircleMode},
        {saveToDefaultFolderItem, &MainWindow::saveToDefaultFolder},
        {saveAsItem, &MainWindow::saveAs},
        {printToDefaultPrinterItem, &MainWindow::printToDefaultPrinter},
        {printItem, &MainWindow::printCapture},
        {pageSetupItem, &MainWindow::showPageSetup},
        {pastingApplicationItem, &MainWindow::startPastingApplication},
        {pasteItem, &MainWindow::pasteFromClipboard},
        {copyItem, &MainWindow::copyToClipboard},
        {emailItem, &MainWindow::sendByEmail},
        {contextReleaseItem, &MainWindow::releaseDesktopFromContextMenu},
    };
    for (const auto& [item, command] : commands)
        connect(item, &QAction::triggered, this, [this, command = command] { (this->*command)(); });
    connect(trayMenu, &QMenu::aboutToShow, this, [this] { startWatchingTrayMenu(); });
    connect(trayMenu, &QMenu::aboutToHide, this, [this] {
        handlingTrayEvent_ = false;
        // A closed menu needs no watching; the watcher would only poll the pointer.
        watchingTrayMenu_ = false;
        trayMenuWatch->stop();
    });
    for (QMenu* menu : {trayMenu, contextMenu}) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            if (!hideWhenMenuCloses_)
                return;
            hideWhenMenuCloses_ = false;
            hideToTray();
        });
    }
}

void MainWindow::attachMenuPictures() {
    picmenu::PictureMenus menus(picmenu::state());
    menus.init();
    menus.setHighlightStyle(0);
    menus.hookMenus({trayMenu, contextMenu, textPopup, shapePopup, linePopup, imagePopup}, [] {
        // Every freeze measures the screen; before the first one there is no such measure.
        const auto& captureState = capture::state();
        return captureState.screenPixelWidth > 0 ? captureState.twipsPerPixelX : 0.0;
    });
    updateMenuPictures();
}

void MainWindow::updateMenuPictures() {
    picmenu::PictureMenus menus(picmenu::state());
    menus.setPictures(menuPictures);
    menus.clearItemPictures();
    menus.forgetPreparedMenus();
    const std::pair<QAction*, int> pictures[] = {
        {addObjectItem, 1},
        {rectangleModeItem, 2},
        {circleModeItem, 3},
        {saveToDefaultFolderItem, 4},
        {saveAsItem, 5},
        {printToDefaultPrinterItem, 6},
        {printItem, 7},
        {pageSetupItem, 8},
        {pastingApplicationItem, 9},
        {copyItem, 10},
        {emailItem, 11},
        {contextReleaseItem, 12},
        {freezeItem, 13},
        {releaseItem, 12},
        {captureWindowItem, 14},
        {captureScreenItem, 15},
        {optionsItem, 16},
        {shapeOptionsItem, 16},
        {lineOptionsItem, 16},
        {exitItem, 17},
        {infoItem, 18},
        {helpItem, 19},
        {deleteShapeItem, 20},
        {deleteImageItem, 20},
        {deleteLineItem, 20},
        {deleteTextItem, 20},
        {editTextItem, 21},
        {pasteItem, 22},
    };
    for (const auto& [item, picture] : pictures)
        menus.setItemPicture(item->text(), picture);
}

void MainWindow::releaseDesktop() {
    resetAfterRelease();
}

void MainWindow::releaseDesktopFromContextMenu() {
    resetAfterRelease();
}

void MainWindow::selectRectangleMode() {
    hideObjectsPalette();
    auto& captureState = capture::state();
    if (captureState.contextMenuFromHotkey) {
        releaseItem->setEnabled(true);
        captureWindowItem->setEnabled(false);
        captureScreenItem->setEnabled(false);
        freezeDesktop();
    }
    capture::session().shape = capture::SelectionShape::Rectangle;
    shell::windows().frozenScreen->setAreaCursor();
}

void MainWindow::selectCircleMode() {
    hideObjectsPalette();
    auto& captureState = capture::state();
    auto& clock = platform::clock();
    // While an area is still being copied the mode stays; the rest of that copy runs here.
    auto waitForRunningCapture = [&clock] {
        clock.processEvents();
        clock.sleep(1000);
        clock.processEvents();
    };
    if (captureState.contextMenuFromHotkey) {
        if (captureState.areaCaptureRunning) {
            waitForRunningCapture();
            return;
        }
        releaseItem->setEnabled(true);
        captureWindowItem->setEnabled(false);
        captureScreenItem->setEnabled(false);
        freezeDesktop();
    }
    if (!captureState.areaCaptureRunning) {
        capture::session().shape = capture::SelectionShape::Circle;
        shell::windows().frozenScreen->setAreaCursor();
        return;
    }
    waitForRunningCapture();
}

void MainWindow::showOptions() {
    OwnWindowsAbove::bringForward(options::windows().optionsDialog.get());
}

void MainWindow::exitProgram() {
    endAtOnce();
}

void MainWindow::showHelp() {
    options::openHelpFile(&options::windows().optionsDialog.get());
}

void MainWindow::showInfo() {
    OwnWindowsAbove::bringForward(shell::windows().infoDialog.get());
}

}  // namespace qv::shell
