// What every capture ends with: clipboard, sound, and the context menu or the release.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "options/settings.h"
#include "platform/services.h"
#include "shell/clipboardclass.h"
#include "shell/frozenscreen.h"
#include "shell/program.h"
#include "shell/windows.h"

namespace qv::shell {

void FrozenScreen::releaseAfterOneStepCapture() {
    auto& forms = program().shellWindows();
    const options::Settings& settings = program().options.settings;
    platform::clipboard().clear();
    if (settings.autoCopy) {
        platform::clipboard().setImage(forms.form3->Picture1->image());
        Picture1->setCursor(forms.form14->pointer());
        platform::clock().sleep(500);
        setAreaCursor();
    }
    platform::sound().play(settings.soundFile);

    if (program().objects.objectsadded)
        return;
    if (settings.autoPopupMenu)
        popUpOrRelease();
    if (settings.releaseAfterCapture && !settings.autoPopupMenu)
        forms.mainWindow->resetAfterRelease();
}

void FrozenScreen::popUpOrRelease() {
    Module2::updateClipboardMenus();
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    mainWindow.contextMenu->setDefaultAction(mainWindow.contextReleaseItem);
    mainWindow.contextMenu->exec(platform::desktop().cursorPos());
}

}  // namespace qv::shell
