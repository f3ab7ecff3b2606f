#pragma once

#include "options/hotkeysdialog.h"
#include "options/optionsdialog.h"
#include "toolkit/installed.h"
#include "toolkit/lazyform.h"

namespace qv::options {

class HotkeyCommands;

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyForm<OptionsDialog> optionsDialog;
    toolkit::LazyForm<HotkeysDialog> hotkeysDialog;
    // The main window's commands and menus, while a hotkey pump has them attached.
    HotkeyCommands* hotkeyCommands = nullptr;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::options
