// Freezing the desktop into the frozen screen, and releasing it again.
#include <QAction>
#include <QMenu>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "objects/state.h"
#include "objects/windows.h"
#include "platform/services.h"
#include "shell/clipboardmenus.h"
#include "shell/mainwindow.h"
#include "shell/screengrab.h"
#include "shell/windows.h"
#include "toolkit/twips.h"

namespace qv::shell {

void MainWindow::showFrozenScreen() {
    auto& captureState = capture::state();
    auto& shellWindows = shell::windows();
    auto& desktop = platform::desktop();
    FrozenScreen* frozenScreen = nullptr;
    {
        // The busy pointer shows while the screen is read, and goes on every way out.
        const auto busy = desktop.busyPointer();
        const QSize screen = desktop.screenSize();
        captureState.screenPixelWidth = screen.width();
        captureState.screenPixelHeight = screen.height();
        captureState.twipsPerPixelX = toolkit::twipsPerPixel(desktop.logicalDpiX());
        captureState.twipsPerPixelY = toolkit::twipsPerPixel(desktop.logicalDpiY());
        captureState.screenTwipsWidth = captureState.twipsPerPixelX * captureState.screenPixelWidth;
        captureState.screenTwipsHeight =
            captureState.twipsPerPixelY * captureState.screenPixelHeight;

        frozenScreen = &shellWindows.frozenScreen.get();
        frozenScreen->setWindowState(Qt::WindowNoState);
        frozenScreen->setSizeTwips(captureState.screenTwipsWidth,
                                   captureState.screenTwipsHeight - 10);
        frozenScreen->canvas->resizeTwips(captureState.screenTwipsWidth,
                                          captureState.screenTwipsHeight);
        // A menu of ours that has just closed, or the frozen screen just hidden, must have left
        // the screen and our windows under it repainted, or the picture shows their leftovers.
        desktop.settle();
        capture::session().snapshot = grabDesktopPicture();
    }
    frozenScreen->showAndActivate();
}

void MainWindow::freezeDesktop() {
    circleModeItem->setEnabled(true);
    rectangleModeItem->setEnabled(true);
    addObjectItem->setEnabled(true);
    if (capture::state().freeze.desktopFrozen) {
        resetAfterRelease();
        // The hidden frozen window has to leave the screen before the others repaint under it.
        platform::desktop().flush();
    }
    platform::clock().sleep(350);
    releaseItem->setEnabled(true);
    captureWindowItem->setEnabled(false);
    captureScreenItem->setEnabled(false);
    showFrozenScreen();
}

void MainWindow::resetAfterRelease() {
    auto& objectsWindows = objects::windows();
    for (QWidget* window : std::initializer_list<QWidget*>{
             objectsWindows.objectsPalette.peek(), objectsWindows.textOptions.peek(),
             objectsWindows.shapeOptions.peek(), objectsWindows.lineOptions.peek()}) {
        if (window)
            window->hide();
    }
    releaseItem->setEnabled(false);
    captureWindowItem->setEnabled(true);
    captureScreenItem->setEnabled(true);

    capture::state().freeze = {};
    objects::state().freeze = {};
    // Dropping hides the frozen screen; it goes once control is back in the event loop, so a
    // release from inside one of its handlers is safe.
    shell::windows().frozenScreen.drop();
    capture::session().release();
}

namespace {

// The one-step captures: a fresh frozen screen, and the capture taken on it at once.
void startOneStepCapture(MainWindow& mainWindow, bool window) {
    auto& captureState = capture::state();
    (window ? captureState.freeze.pendingWindow : captureState.freeze.pendingScreen) = true;
    captureState.captureValid = true;
    capture::session().shape = capture::SelectionShape::Rectangle;
    captureState.freeze.captureAvailable = true;

    auto& shellWindows = shell::windows();
    if (FrozenScreen* frozen = shellWindows.frozenScreen.peek())
        frozen->hide();
    if (QWidget* palette = objects::windows().objectsPalette.peek())
        palette->hide();
    shellWindows.frozenScreen.drop();

    mainWindow.releaseItem->setEnabled(true);
    mainWindow.captureWindowItem->setEnabled(false);
    mainWindow.captureScreenItem->setEnabled(false);
    mainWindow.showFrozenScreen();
    // Taken here, not left to an activation that may come late, or after another window of
    // ours, activated meanwhile, has cleared the request.
    shellWindows.frozenScreen->takeOneStepCapture(window);
}

}  // namespace

void MainWindow::captureActiveWindow() {
    startOneStepCapture(*this, true);
}

void MainWindow::captureEntireScreen() {
    startOneStepCapture(*this, false);
}

void MainWindow::updateClipboardMenus() {
    shell::updateClipboardMenus();
}

}  // namespace qv::shell
