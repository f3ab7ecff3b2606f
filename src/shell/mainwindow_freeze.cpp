// Freezing the desktop into the frozen screen, and releasing it again.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "objects/windows.h"
#include "platform/services.h"
#include "shell/clipboardclass.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"
#include "shell/program.h"
#include "shell/screengrab.h"
#include "toolkit/twips.h"

namespace qv::shell {

void MainWindow::Command1_Click() {
    auto& shell = program().shell;
    auto& forms = program().shellWindows();
    auto& desktop = platform::desktop();
    FrozenScreen* frozenScreen = nullptr;
    {
        // The busy pointer shows while the screen is read, and goes on every way out.
        const auto busy = desktop.busyPointer();
        const QSize screen = desktop.screenSize();
        shell.screenpixelwidth = screen.width();
        shell.screenpixelheight = screen.height();
        shell.twipsperpixelx = toolkit::twipsPerPixel(desktop.logicalDpiX());
        shell.twipsperpixely = toolkit::twipsPerPixel(desktop.logicalDpiY());
        shell.screentwipswidth = shell.twipsperpixelx * shell.screenpixelwidth;
        shell.screentwipsheight = shell.twipsperpixely * shell.screenpixelheight;

        frozenScreen = &forms.frozenScreen.get();
        frozenScreen->setWindowState(Qt::WindowNoState);
        frozenScreen->setSizeTwips(shell.screentwipswidth, shell.screentwipsheight - 10);
        frozenScreen->Picture1->resizeTwips(shell.screentwipswidth, shell.screentwipsheight);
        Form3& form3 = forms.form3.get();
        form3.Picture2->clear();
        form3.Picture2->setImage(Module2::GrabDesktopPicture());
    }
    frozenScreen->showActive();
}

void MainWindow::freezeDesktop() {
    circleModeItem->setEnabled(true);
    rectangleModeItem->setEnabled(true);
    addObjectItem->setEnabled(true);
    if (program().shell.desktopfrozen) {
        resetAfterRelease();
        // The hidden frozen window has to leave the screen before the others repaint under it.
        platform::desktop().flush();
    }
    platform::clock().sleep(350);
    releaseItem->setEnabled(true);
    captureWindowItem->setEnabled(false);
    captureScreenItem->setEnabled(false);
    Command1_Click();
}

void MainWindow::resetAfterRelease() {
    auto& tools = program().objectsWindows();
    for (QWidget* tool : std::initializer_list<QWidget*>{
             tools.objectsPalette.peek(), tools.textOptions.peek(), tools.shapeOptions.peek(), tools.lineOptions.peek()}) {
        if (tool)
            tool->hide();
    }
    releaseItem->setEnabled(false);
    captureWindowItem->setEnabled(true);
    captureScreenItem->setEnabled(true);

    auto& shell = program().shell;
    shell.pendingwindow = false;
    shell.pendingscreen = false;
    shell.dialogopen = false;
    shell.desktopfrozen = false;
    shell.captureavailable = false;
    shell.recaptured = false;
    auto& objects = program().objects;
    objects.popupnoticeshown = false;
    objects.objectsadded = false;
    objects.objectsdeleted = false;
    objects.shapeoptionsopen = false;
    objects.lineoptionsopen = false;
    objects.textoptionsopen = false;
    objects.shapecolordialogopen = false;
    objects.linecolordialogopen = false;

    // Dropping hides the frozen screen; both go once control is back in the event loop,
    // so a release from inside one of their handlers is safe.
    auto& forms = program().shellWindows();
    forms.frozenScreen.drop();
    forms.form3.drop();
}

namespace {

// The one-step captures: a fresh frozen screen whose activation takes the capture at once.
void startOneStepCapture(MainWindow& mainWindow, bool window) {
    auto& shell = program().shell;
    (window ? shell.pendingwindow : shell.pendingscreen) = true;
    shell.capturevalid = true;
    shell.rectangularmode = true;
    shell.captureavailable = true;
    shell.circularmode = false;

    auto& forms = program().shellWindows();
    if (FrozenScreen* frozen = forms.frozenScreen.peek())
        frozen->hide();
    if (QWidget* palette = program().objectsWindows().objectsPalette.peek())
        palette->hide();
    forms.frozenScreen.drop();

    mainWindow.releaseItem->setEnabled(true);
    mainWindow.captureWindowItem->setEnabled(false);
    mainWindow.captureScreenItem->setEnabled(false);
    // The next tray notification takes the window in front again.
    if (window)
        shell.trayhover = false;
    mainWindow.Command1_Click();
}

}  // namespace

void MainWindow::captureActiveWindow() {
    startOneStepCapture(*this, true);
}

void MainWindow::captureEntireScreen() {
    startOneStepCapture(*this, false);
}

void MainWindow::updateClipboardMenus() {
    Module2::updateClipboardMenus();
}

}  // namespace qv::shell
