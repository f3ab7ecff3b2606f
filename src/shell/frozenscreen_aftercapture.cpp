// What every capture ends with: clipboard, sound, and the context menu or the release.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>

#include "options/windows.h"
#include "platform/services.h"
#include "shell/clipboardmenus.h"
#include "shell/cursors.h"
#include "shell/frozenscreen.h"
#include "shell/program.h"
#include "shell/windows.h"

namespace qv::shell {

void FrozenScreen::releaseAfterOneStepCapture() {
    auto& forms = program().shellWindows();
    const auto& optionsDialog = program().optionsWindows().optionsDialog.get();
    platform::clipboard().clear();
    if (optionsDialog.Check2->isChecked()) {
        platform::clipboard().setImage(program().capture.buffer);
        canvas->setCursor(cursors::copied());
        platform::clock().sleep(500);
        setAreaCursor();
    }
    platform::sound().play(optionsDialog.Text5->text());

    if (program().objects.freeze.objectsAdded)
        return;
    const auto& options = program().options;
    if (options.autopopupmenu)
        popUpOrRelease();
    if (options.autoreleasedesktop && !options.autopopupmenu)
        forms.mainWindow->resetAfterRelease();
}

void FrozenScreen::popUpOrRelease() {
    updateClipboardMenus();
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    mainWindow.contextMenu->setDefaultAction(mainWindow.contextReleaseItem);
    mainWindow.contextMenu->exec(platform::desktop().cursorPos());
}

}  // namespace qv::shell
