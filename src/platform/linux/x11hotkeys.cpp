#include "platform/linux/x11hotkeys.h"

#include <xcb/xcb_keysyms.h>

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

#include "platform/linux/paintevents.h"

namespace qv::platform {

namespace {

constexpr xcb_keysym_t kKeysymNumLock = 0xff7f;
constexpr xcb_keysym_t kKeysymLowerA = 0x61;
constexpr uint16_t kModifierBits = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL |
                                   XCB_MOD_MASK_1 | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                   XCB_MOD_MASK_4 | XCB_MOD_MASK_5;
constexpr int kBadAccess = 10;

uint16_t xModifiers(int flags) {
    uint16_t mods = 0;
    if (flags & ModAlt)
        mods |= XCB_MOD_MASK_1;
    if (flags & ModControl)
        mods |= XCB_MOD_MASK_CONTROL;
    if (flags & ModShift)
        mods |= XCB_MOD_MASK_SHIFT;
    return mods;
}

struct KeySymbols {
    KeySymbols(const KeySymbols&) = delete;
    KeySymbols& operator=(const KeySymbols&) = delete;
    explicit KeySymbols(xcb_connection_t* c) : symbols(xcb_key_symbols_alloc(c)) {}
    ~KeySymbols() {
        if (symbols)
            xcb_key_symbols_free(symbols);
    }
    std::vector<xcb_keycode_t> keycodes(xcb_keysym_t sym) const {
        std::vector<xcb_keycode_t> found;
        if (!symbols)
            return found;
        x11::Reply<xcb_keycode_t> codes(xcb_key_symbols_get_keycode(symbols, sym));
        for (const xcb_keycode_t* c = codes.get(); c && *c != XCB_NO_SYMBOL; ++c)
            found.push_back(*c);
        return found;
    }
    xcb_key_symbols_t* symbols;
};

}  // namespace

X11Hotkeys::X11Hotkeys() : x_(x11::XConnection::fromQt()) {
    if (x_.valid())
        qGuiApp->installNativeEventFilter(this);
}

X11Hotkeys::~X11Hotkeys() {
    if (!x_.valid())
        return;
    qGuiApp->removeNativeEventFilter(this);
    const auto ids = grabs_.keys();
    for (int id : ids)
        unregisterHotkey(id);
    xcb_flush(x_.get());
}

uint16_t X11Hotkeys::numLockMask() const {
    const std::vector<xcb_keycode_t> numLock = KeySymbols(x_.get()).keycodes(kKeysymNumLock);
    x11::Reply<xcb_get_modifier_mapping_reply_t> map(
        xcb_get_modifier_mapping_reply(x_.get(), xcb_get_modifier_mapping(x_.get()), nullptr));
    if (!map || numLock.empty())
        return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(map.get());
    const int perModifier = map->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t code = codes[modifier * perModifier + i];
            if (code != 0 && std::find(numLock.begin(), numLock.end(), code) != numLock.end())
                return uint16_t(1u << modifier);
        }
    }
    return 0;
}

std::vector<uint16_t> X11Hotkeys::lockVariants() {
    numLock_ = numLockMask();
    const uint16_t numLock = numLock_;
    std::vector<uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (numLock) {
        variants.push_back(numLock);
        variants.push_back(uint16_t(numLock | XCB_MOD_MASK_LOCK));
    }
    return variants;
}

xcb_keycode_t X11Hotkeys::keycodeFor(char key) const {
    const char upper = (key >= 'a' && key <= 'z') ? char(key - 'a' + 'A') : key;
    if (upper < 'A' || upper > 'Z')
        return 0;
    const auto codes = KeySymbols(x_.get()).keycodes(kKeysymLowerA + (upper - 'A'));
    return codes.empty() ? 0 : codes.front();
}

int X11Hotkeys::registerHotkey(int id, int modifiers, char key) {
    if (!x_.valid())
        return hotkeyerror::NoWindowSystem;
    if (modifiers & ~(ModAlt | ModControl | ModShift))
        return hotkeyerror::InvalidParameter;
    const xcb_keycode_t keycode = keycodeFor(key);
    if (keycode == 0)
        return hotkeyerror::InvalidParameter;
    const Grab grab{keycode, xModifiers(modifiers), modifiers, key};
    for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it) {
        if (it.key() != id && it->keycode == keycode && it->modifiers == grab.modifiers)
            return hotkeyerror::AlreadyRegistered;
    }
    unregisterHotkey(id);

    const std::vector<uint16_t> variants = lockVariants();
    std::vector<xcb_void_cookie_t> cookies;
    for (uint16_t lock : variants) {
        // Not owner events: the press reaches us even when one of our windows has the focus.
        cookies.push_back(xcb_grab_key_checked(x_.get(), 0, x_.root(),
                                               uint16_t(grab.modifiers | lock), keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    uint16_t granted = 0;
    int failure = 0;
    for (size_t i = 0; i < cookies.size(); ++i) {
        x11::Reply<xcb_generic_error_t> error(xcb_request_check(x_.get(), cookies[i]));
        if (!error) {
            granted |= uint16_t(1u << i);
        } else if (failure == 0) {
            failure = error->error_code == kBadAccess ? hotkeyerror::AlreadyRegistered
                                                      : hotkeyerror::InvalidParameter;
        }
    }
    if (failure != 0) {
        // All or nothing: a half-registered combination would work only in some lock states.
        for (size_t i = 0; i < variants.size(); ++i) {
            if (granted & (1u << i))
                ungrab(grab, variants[i]);
        }
        xcb_flush(x_.get());
        return failure;
    }
    grabs_.insert(id, grab);
    return 0;
}

void X11Hotkeys::ungrab(const Grab& grab, uint16_t lock) const {
    xcb_ungrab_key(x_.get(), grab.keycode, x_.root(), uint16_t(grab.modifiers | lock));
}

bool X11Hotkeys::unregisterHotkey(int id) {
    auto it = grabs_.find(id);
    if (it == grabs_.end())
        return false;
    if (x_.valid()) {
        for (uint16_t lock : lockVariants())
            ungrab(*it, lock);
        xcb_flush(x_.get());
    }
    grabs_.erase(it);
    return true;
}

std::optional<int> X11Hotkeys::match(xcb_keycode_t keycode, uint16_t state) const {
    const uint16_t pressed = state & kModifierBits & ~(XCB_MOD_MASK_LOCK | numLock_);
    for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it) {
        if (it->keycode == keycode && it->modifiers == pressed)
            return it.key();
    }
    return std::nullopt;
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || grabs_.isEmpty())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != x_.root())
        return false;
    if (type == XCB_KEY_RELEASE) {
        if (key->detail == heldKey_)
            heldKey_ = 0;
        releasedKey_ = key->detail;
        releasedAt_ = key->time;
        return true;
    }
    const std::optional<int> id = match(key->detail, key->state);
    if (!id)
        return false;
    // Auto-repeat either repeats the press without a release (detectable auto-repeat) or
    // sends a release and a press with the same time stamp.
    const bool repeat =
        key->detail == heldKey_ || (key->detail == releasedKey_ && key->time == releasedAt_);
    heldKey_ = key->detail;
    if (repeat) {
        ++ignoredRepeats_;
        return true;
    }
    // Pressed while we waited for a program: replayed now, it would run a command the user
    // no longer expects.
    if (pressedDuringAWait(key->time)) {
        ++droppedPresses_;
        return true;
    }
    QTimer::singleShot(0, &context_, [this, id = *id] {
        if (onHotkey)
            onHotkey(id);
    });
    return true;
}

}  // namespace qv::platform
