// Stand-in until freezing and capturing are built.
#include <QAction>

#include "shell/form1.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace qv::shell {

void Form1::Command1_Click() {
    program().shellForms().form2->show();
    program().shell.desktopfrozen = true;
}

void Form1::mnuFreeze_Click() {
    if (program().shell.desktopfrozen)
        standardrelease();
    mnuRelease->setEnabled(true);
    mnuactivewindow->setEnabled(false);
    mnucapturescreen->setEnabled(false);
    Command1_Click();
}

void Form1::mnuactivewindow_Click() {
    program().shell.trayhover = false;
    mnuFreeze_Click();
}

void Form1::mnucapturescreen_Click() {
    mnuFreeze_Click();
}

void Form1::UpdateClipboardMenus() {
    for (QAction* item : {mnuSaveToDefDir, mnuSaveas, mnuDefPrinter, mnuPrint, mnupagesetup,
                          mnucopytoclipbrd, mnuemail})
        item->setEnabled(program().shell.captureavailable);
}

void Form1::standardrelease() {
    mnuRelease->setEnabled(false);
    mnuactivewindow->setEnabled(true);
    mnucapturescreen->setEnabled(true);
    program().shell.desktopfrozen = false;
    program().shellForms().form2.drop();
    program().shellForms().form3.drop();
}

}  // namespace qv::shell
