#pragma once

#include "options/form4.h"
#include "options/form5.h"
#include "toolkit/lazyform.h"

namespace qv::options {

class HotkeyCommands;

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form4> form4;
    toolkit::LazyForm<Form5> form5;
    // The main window's commands and menus, while a hotkey pump has them attached.
    HotkeyCommands* hotkeyCommands = nullptr;
};

}  // namespace qv::options
