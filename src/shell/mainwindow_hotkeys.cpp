#include <QAction>
#include <QCursor>
#include <QMenu>

#include "capture/capturesession.h"
#include "options/hotkeyregistration.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::shell {

void MainWindow::registerHotkeys() {
    options::registerHotkeys();
}

bool MainWindow::frozenScreenShown() {
    const FrozenScreen* frozen = shell::windows().frozenScreen.peek();
    return frozen && frozen->isVisible();
}

void MainWindow::setTargetWindow(platform::WindowId window) {
    capture::session().targetWindow = window;
}

void MainWindow::popUpContextMenu() {
    contextMenu->setDefaultAction(contextReleaseItem);
    contextMenu->exec(QCursor::pos());
}

QAction* MainWindow::menuItem(options::MenuItem item) {
    using M = options::MenuItem;
    switch (item) {
        case M::Release:
            return releaseItem;
        case M::ContextRelease:
            return contextReleaseItem;
        case M::Freeze:
            return freezeItem;
        case M::CaptureActiveWindow:
            return captureWindowItem;
        case M::CaptureEntireScreen:
            return captureScreenItem;
        case M::Options:
            return optionsItem;
        case M::Exit:
            return exitItem;
        case M::SaveToDefaultFolder:
            return saveToDefaultFolderItem;
        case M::SaveAs:
            return saveAsItem;
        case M::PrintToDefaultPrinter:
            return printToDefaultPrinterItem;
        case M::Print:
            return printItem;
        case M::PageSetup:
            return pageSetupItem;
        case M::PastingApplication:
            return pastingApplicationItem;
        case M::CopyToClipboard:
            return copyItem;
        case M::Email:
            return emailItem;
        case M::Paste:
            return pasteItem;
        case M::AddObject:
            return addObjectItem;
        case M::CircleMode:
            return circleModeItem;
        case M::RectangleMode:
            return rectangleModeItem;
    }
    return nullptr;
}

}  // namespace qv::shell
