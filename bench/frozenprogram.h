#pragma once

#include "app/program.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace qv::bench {

// Freezes the screen in a program whose captures copy nothing to the clipboard, with its main
// window hidden as in the tray; without pictureMenu no picture menu comes up either.
inline shell::FrozenScreen& freezeQuietly(Program& program, bool pictureMenu) {
    program.optionsWindows().optionsDialog.get();  // its load reads the settings
    program.options.settings.autoCopy = false;
    if (!pictureMenu)
        program.options.settings.autoPopupMenu = false;
    auto& shellWindows = program.shellWindows();
    shellWindows.mainWindow->hide();
    shellWindows.mainWindow->freezeItem->trigger();
    return shellWindows.frozenScreen.get();
}

}  // namespace qv::bench
