#include <QAction>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>

#include "options/hotkeyregistration.h"
#include "shell/form1.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace qv::shell {

void Form1::registerhotkeys() {
    options::registerhotkeys();
}

bool Form1::frozenScreenShown() {
    const Form2* frozen = program().shellForms().form2.peek();
    return frozen && frozen->isVisible();
}

void Form1::setTargetWindow(platform::WindowId window) {
    program().shellForms().form3->Text1->setText(QString::number(window));
}

void Form1::popupContextMenu() {
    mnuContext->setDefaultAction(mnuContextRelease);
    mnuContext->exec(QCursor::pos());
}

QAction* Form1::menuItem(options::MenuItem item) {
    using M = options::MenuItem;
    switch (item) {
        case M::mnuRelease:
            return mnuRelease;
        case M::mnuContextRelease:
            return mnuContextRelease;
        case M::mnuFreeze:
            return mnuFreeze;
        case M::mnuactivewindow:
            return mnuactivewindow;
        case M::mnucapturescreen:
            return mnucapturescreen;
        case M::mnuOptions:
            return mnuOptions;
        case M::mnuExit:
            return mnuExit;
        case M::mnuSaveToDefDir:
            return mnuSaveToDefDir;
        case M::mnuSaveas:
            return mnuSaveas;
        case M::mnuDefPrinter:
            return mnuDefPrinter;
        case M::mnuPrint:
            return mnuPrint;
        case M::mnupagesetup:
            return mnupagesetup;
        case M::mnuOpenContainerApp:
            return mnuOpenContainerApp;
        case M::mnucopytoclipbrd:
            return mnucopytoclipbrd;
        case M::mnuemail:
            return mnuemail;
        case M::mnupaste:
            return mnupaste;
        case M::mnuaddobject:
            return mnuaddobject;
        case M::mnuDraw:
            return mnuDraw;
        case M::mnurectangle:
            return mnurectangle;
    }
    return nullptr;
}

}  // namespace qv::shell
