#pragma once

#include <functional>

namespace qv::platform {

// Modifier bits, with the values the hotkey table stores.
enum HotkeyModifier : int { ModAlt = 1, ModControl = 2, ModShift = 4 };

// Error numbers of registerHotkey, the ones users know from other desktops.
namespace hotkeyerror {
// The combination is held already, by another program or under another id.
inline constexpr int AlreadyRegistered = 1409;
// The key or the modifiers cannot be used (a key outside A-Z, unknown modifier bits).
inline constexpr int InvalidParameter = 87;
// There is no window system to register with (e.g. the offscreen platform).
inline constexpr int NoWindowSystem = 1400;
}  // namespace hotkeyerror

// System-wide key combinations that reach the program whatever window is in front.
class Hotkeys {
public:
    virtual ~Hotkeys() = default;
    // key is 'A'..'Z'. Returns 0 on success, otherwise one of hotkeyerror. Registering an id
    // again replaces its combination. The combination also fires with NumLock or CapsLock on.
    virtual int registerHotkey(int id, int modifiers, char key) = 0;
    // Returns false when id was not registered.
    virtual bool unregisterHotkey(int id) = 0;
    // Called once per press of a registered combination (a held key does not repeat it), from
    // the event loop.
    std::function<void(int id)> onHotkey;
};

}  // namespace qv::platform
