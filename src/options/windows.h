#pragma once

#include "options/hotkeysdialog.h"
#include "options/optionsdialog.h"
#include "toolkit/installed.h"
#include "toolkit/lazywindow.h"

namespace qv::options {

class HotkeyCommands;

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyWindow<OptionsDialog> optionsDialog;
    toolkit::LazyWindow<HotkeysDialog> hotkeysDialog;
    // The main window's commands and menus, while a hotkey dispatcher has them attached.
    HotkeyCommands* hotkeyCommands = nullptr;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::options
