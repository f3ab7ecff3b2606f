#pragma once

#include <functional>

namespace qv::platform {

// Modifier bits, with the values the hotkey table stores.
enum HotkeyModifier : int { ModAlt = 1, ModControl = 2, ModShift = 4 };

// System-wide key combinations that reach the program whatever window is in front.
class Hotkeys {
public:
    virtual ~Hotkeys() = default;
    // key is 'A'..'Z'. Returns 0 on success, otherwise an error number for the user.
    virtual int registerHotkey(int id, int modifiers, char key) = 0;
    // Returns false when id was not registered.
    virtual bool unregisterHotkey(int id) = 0;
    // Called once per press of a registered combination.
    std::function<void(int id)> onHotkey;
};

}  // namespace qv::platform
