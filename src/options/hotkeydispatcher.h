#pragma once

#include <deque>
#include <functional>
#include <memory>

namespace qv::platform {
class Timer;
}

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
    // While a command runs, the press waits its turn.
    void dispatch(int id);

private:
    // Runs the press whose turn it is, when nothing else runs.
    void runNext();
    void runCommand(int id);
    // Enables the context menu's items by whether the desktop is frozen, then pops it up.
    void popUpContextMenuForHotkey();

    HotkeyCommands& commands_;
    std::deque<int> waiting_;  // presses not run yet, in the order they came
    bool running_ = false;
    // Runs the waiting presses from the event loop, one per turn.
    std::unique_ptr<platform::Timer> pump_;
    // What was attached before, back in place when this dispatcher goes.
    HotkeyCommands* previousCommands_;
    std::function<void(int)> previousReceiver_;
};

}  // namespace qv::options
