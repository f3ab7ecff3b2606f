#pragma once

#include <QAbstractNativeEventFilter>
#include <QMap>
#include <QObject>
#include <optional>
#include <vector>

#include "platform/hotkeys.h"
#include "platform/linux/x11connection.h"

namespace qv::platform {

// Global hotkeys as passive key grabs on the root window, one per lock-key variant, so a
// combination works whatever NumLock and CapsLock say. Presses arrive through Qt's event
// stream, so nothing polls while the program is idle.
class X11Hotkeys : public Hotkeys, private QAbstractNativeEventFilter {
public:
    X11Hotkeys();
    ~X11Hotkeys() override;

    int registerHotkey(int id, int modifiers, char key) override;
    bool unregisterHotkey(int id) override;

    // Presses the key's auto-repeat produced and that were not passed on.
    int ignoredRepeats() const { return ignoredRepeats_; }
    // Presses that came while the program waited for another program, and were dropped.
    int droppedPresses() const { return droppedPresses_; }

private:
    struct Grab {
        xcb_keycode_t keycode;
        uint16_t modifiers;  // X modifier bits without the lock keys
        int modifierFlags;
        char key;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void ungrab(const Grab& grab, uint16_t lock) const;
    // The lock-key variants of a grab; refreshes the NumLock bit from the modifier map.
    std::vector<uint16_t> lockVariants();
    uint16_t numLockMask() const;
    xcb_keycode_t keycodeFor(char key) const;
    std::optional<int> match(xcb_keycode_t keycode, uint16_t state) const;

    x11::XConnection x_;
    QMap<int, Grab> grabs_;
    QObject context_;  // queued calls of onHotkey die with the service
    uint16_t numLock_ = 0;
    xcb_keycode_t heldKey_ = 0;
    xcb_keycode_t releasedKey_ = 0;
    xcb_timestamp_t releasedAt_ = 0;
    int ignoredRepeats_ = 0;
    int droppedPresses_ = 0;
};

}  // namespace qv::platform
