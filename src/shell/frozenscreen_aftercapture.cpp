// What every capture ends with: clipboard, sound, and the context menu or the release.

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

void FrozenScreen::runAfterCaptureActions() {
    auto& shellWindows = shell::windows();
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
        popUpContextMenuAfterCapture();
    if (settings.releaseAfterCapture && !settings.autoPopupMenu)
        shellWindows.mainWindow->resetAfterRelease();
}

void FrozenScreen::popUpContextMenuAfterCapture() {
    updateClipboardMenus();
    popUpContextMenu();
}

}  // namespace qv::shell
