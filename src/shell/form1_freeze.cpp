// Freezing the desktop into the frozen screen, and releasing it again.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "objects/forms.h"
#include "platform/services.h"
#include "shell/clipboardclass.h"
#include "shell/form1.h"
#include "shell/forms.h"
#include "shell/program.h"
#include "shell/screengrab.h"
#include "toolkit/twips.h"

namespace qv::shell {

void Form1::Command1_Click() {
    auto& shell = program().shell;
    auto& forms = program().shellForms();
    auto& desktop = platform::desktop();
    Form2* form2 = nullptr;
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

        form2 = &forms.form2.get();
        form2->setWindowState(Qt::WindowNoState);
        form2->setSizeTwips(shell.screentwipswidth, shell.screentwipsheight - 10);
        form2->Picture1->resizeTwips(shell.screentwipswidth, shell.screentwipsheight);
        Form3& form3 = forms.form3.get();
        form3.Picture2->clear();
        form3.Picture2->setImage(Module2::GrabDesktopPicture());
    }
    form2->showActive();
}

void Form1::mnuFreeze_Click() {
    mnuDraw->setEnabled(true);
    mnurectangle->setEnabled(true);
    mnuaddobject->setEnabled(true);
    if (program().shell.desktopfrozen) {
        standardrelease();
        // The hidden frozen window has to leave the screen before the others repaint under it.
        platform::desktop().flush();
    }
    platform::clock().sleep(350);
    mnuRelease->setEnabled(true);
    mnuactivewindow->setEnabled(false);
    mnucapturescreen->setEnabled(false);
    Command1_Click();
}

void Form1::standardrelease() {
    auto& tools = program().objectsForms();
    for (QWidget* tool : std::initializer_list<QWidget*>{
             tools.form16.peek(), tools.form17.peek(), tools.form18.peek(), tools.form19.peek()}) {
        if (tool)
            tool->hide();
    }
    mnuRelease->setEnabled(false);
    mnuactivewindow->setEnabled(true);
    mnucapturescreen->setEnabled(true);

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
    auto& forms = program().shellForms();
    forms.form2.drop();
    forms.form3.drop();
}

namespace {

// The one-step captures: a fresh frozen screen whose activation takes the capture at once.
void startOneStepCapture(Form1& form1, bool window) {
    auto& shell = program().shell;
    (window ? shell.pendingwindow : shell.pendingscreen) = true;
    shell.capturevalid = true;
    shell.rectangularmode = true;
    shell.captureavailable = true;
    shell.circularmode = false;

    auto& forms = program().shellForms();
    if (Form2* frozen = forms.form2.peek())
        frozen->hide();
    if (QWidget* palette = program().objectsForms().form16.peek())
        palette->hide();
    forms.form2.drop();

    form1.mnuRelease->setEnabled(true);
    form1.mnuactivewindow->setEnabled(false);
    form1.mnucapturescreen->setEnabled(false);
    // The next tray notification takes the window in front again.
    if (window)
        shell.trayhover = false;
    form1.Command1_Click();
}

}  // namespace

void Form1::mnuactivewindow_Click() {
    startOneStepCapture(*this, true);
}

void Form1::mnucapturescreen_Click() {
    startOneStepCapture(*this, false);
}

void Form1::UpdateClipboardMenus() {
    Module2::UpdateClipboardMenus();
}

}  // namespace qv::shell
