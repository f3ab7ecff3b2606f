// What every capture ends with: clipboard, sound, and the context menu or the release.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>

#include "capture/capturesession.h"
#include "objects/state.h"
#include "options/settings.h"
#include "options/state.h"
#include "platform/services.h"
#include "shell/clipboardmenus.h"
#include "shell/cursors.h"
#include "shell/frozenscreen.h"
#include "shell/windows.h"

namespace qv::shell {

void FrozenScreen::releaseAfterOneStepCapture() {
    auto& forms = shell::windows();
    const options::Settings& settings = options::state().settings;
    platform::clipboard().clear();
    if (settings.autoCopy) {
        platform::clipboard().setImage(capture::session().buffer);
        canvas->setCursor(cursors::copied());
        platform::clock().sleep(500);
        setAreaCursor();
    }
    platform::sound().play(settings.soundFile);

    if (objects::state().freeze.objectsAdded)
        return;
    if (settings.autoPopupMenu)
        popUpOrRelease();
    if (settings.releaseAfterCapture && !settings.autoPopupMenu)
        forms.mainWindow->resetAfterRelease();
}

void FrozenScreen::popUpOrRelease() {
    updateClipboardMenus();
    MainWindow& mainWindow = shell::windows().mainWindow.get();
    mainWindow.contextMenu->setDefaultAction(mainWindow.contextReleaseItem);
    mainWindow.contextMenu->exec(platform::desktop().cursorPos());
}

}  // namespace qv::shell
