#pragma once

#include <functional>

namespace qv::options {

class HotkeyCommands;

// Receives the table's hotkeys for the main window and runs the command each one stands
// for, or tells the user why it cannot run now. It is driven by the presses themselves, so
// an idle program does no work; each press runs its action once.
//
// The main window owns one for its whole life, made with itself as the commands: while it
// exists, the hotkey code reaches the main window's commands and menu captions through it.
class HotkeyDispatcher {
public:
    explicit HotkeyDispatcher(HotkeyCommands& commands);
    ~HotkeyDispatcher();
    HotkeyDispatcher(const HotkeyDispatcher&) = delete;
    HotkeyDispatcher& operator=(const HotkeyDispatcher&) = delete;

    // One press of the hotkey registered under id; ignored while a dialog of ours is open.
    void dispatch(int id);

private:
    void runCommand(int id);
    // Enables the context menu's items by whether the desktop is frozen, then pops it up.
    void popUpContextMenuForHotkey();

    HotkeyCommands& commands_;
    // What was attached before, back in place when this dispatcher goes.
    HotkeyCommands* previousCommands_;
    std::function<void(int)> previousReceiver_;
};

}  // namespace qv::options
