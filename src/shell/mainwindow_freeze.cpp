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
    auto& shell = capture::state();
    auto& forms = shell::windows();
    auto& desktop = platform::desktop();
    FrozenScreen* frozenScreen = nullptr;
    {
        // The busy pointer shows while the screen is read, and goes on every way out.
        const auto busy = desktop.busyPointer();
        const QSize screen = desktop.screenSize();
        shell.screenPixelWidth = screen.width();
        shell.screenPixelHeight = screen.height();
        shell.twipsPerPixelX = toolkit::twipsPerPixel(desktop.logicalDpiX());
        shell.twipsPerPixelY = toolkit::twipsPerPixel(desktop.logicalDpiY());
        shell.screenTwipsWidth = shell.twipsPerPixelX * shell.screenPixelWidth;
        shell.screenTwipsHeight = shell.twipsPerPixelY * shell.screenPixelHeight;

        frozenScreen = &forms.frozenScreen.get();
        frozenScreen->setWindowState(Qt::WindowNoState);
        frozenScreen->setSizeTwips(shell.screenTwipsWidth, shell.screenTwipsHeight - 10);
        frozenScreen->canvas->resizeTwips(shell.screenTwipsWidth, shell.screenTwipsHeight);
        capture::session().snapshot = grabDesktopPicture();
    }
    frozenScreen->showActive();
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
    auto& tools = objects::windows();
    for (QWidget* tool :
         std::initializer_list<QWidget*>{tools.objectsPalette.peek(), tools.textOptions.peek(),
                                         tools.shapeOptions.peek(), tools.lineOptions.peek()}) {
        if (tool)
            tool->hide();
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

// The one-step captures: a fresh frozen screen whose activation takes the capture at once.
void startOneStepCapture(MainWindow& mainWindow, bool window) {
    auto& shell = capture::state();
    (window ? shell.freeze.pendingWindow : shell.freeze.pendingScreen) = true;
    shell.captureValid = true;
    capture::session().shape = capture::SelectionShape::Rectangle;
    shell.freeze.captureAvailable = true;

    auto& forms = shell::windows();
    if (FrozenScreen* frozen = forms.frozenScreen.peek())
        frozen->hide();
    if (QWidget* palette = objects::windows().objectsPalette.peek())
        palette->hide();
    forms.frozenScreen.drop();

    mainWindow.releaseItem->setEnabled(true);
    mainWindow.captureWindowItem->setEnabled(false);
    mainWindow.captureScreenItem->setEnabled(false);
    // The next tray notification takes the window in front again.
    if (window)
        shell.trayHover = false;
    mainWindow.showFrozenScreen();
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
