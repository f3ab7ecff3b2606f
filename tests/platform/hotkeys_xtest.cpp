// Global hotkeys against a private X server, pressed with xdotool.
#include <functional>
#include <utility>

#include "platform/linux/launcher.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/x11hotkeys.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

using testsupport::XvfbTest;

class HotkeysX : public XvfbTest {
protected:
    void SetUp() override {
        startServer();
        hotkeys = std::make_unique<X11Hotkeys>();
        hotkeys->onHotkey = [this](int id) { pressed.push_back(id); };
        // Pressed after the keys under test: once it arrived, every earlier press has too.
        ASSERT_EQ(hotkeys->registerHotkey(kSentinel, ModControl | ModAlt, 'Q'), 0);
    }
    void TearDown() override {
        hotkeys.reset();
        XvfbTest::TearDown();
    }
    void xdotool(const QStringList& arguments) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), arguments), 0);
    }
    // The ids pressed since the last call, the sentinel not counted.
    std::vector<int> settle() {
        xdotool({"key", "ctrl+alt+q"});
        EXPECT_TRUE(processUntil([&] { return !pressed.empty() && pressed.back() == kSentinel; }));
        std::vector<int> result(pressed.begin(), pressed.end() - (pressed.empty() ? 0 : 1));
        pressed.clear();
        return result;
    }
    uint16_t lockState() const {
        xcb_connection_t* c = server->connection();
        x11::Reply<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, server->x().root()), nullptr));
        return pointer ? pointer->mask : 0;
    }
    static constexpr int kSentinel = 99;
    std::unique_ptr<X11Hotkeys> hotkeys;
    std::vector<int> pressed;
};

TEST_F(HotkeysX, OnePressRunsOnceWhateverTheLockKeysAndDoublesAreRefused) {
    ASSERT_EQ(hotkeys->registerHotkey(1, ModControl, 'R'), 0);
    ASSERT_EQ(hotkeys->registerHotkey(2, ModControl | ModShift, 'F'), 0);

    xdotool({"key", "ctrl+r"});
    EXPECT_EQ(settle(), std::vector<int>{1});
    xdotool({"key", "Num_Lock"});
    ASSERT_TRUE(lockState() & XCB_MOD_MASK_2);
    xdotool({"key", "ctrl+r", "ctrl+shift+f"});
    EXPECT_EQ(settle(), (std::vector<int>{1, 2}));
    xdotool({"key", "Caps_Lock"});
    ASSERT_TRUE(lockState() & XCB_MOD_MASK_LOCK);
    xdotool({"key", "ctrl+shift+f"});
    EXPECT_EQ(settle(), std::vector<int>{2});
    // Other modifiers are other combinations.
    xdotool({"key", "alt+r", "ctrl+shift+r"});
    EXPECT_TRUE(settle().empty());

    // Doubles and unusable modifiers are refused; the same id again moves the hotkey.
    EXPECT_EQ(hotkeys->registerHotkey(3, ModControl, 'R'), hotkeyerror::AlreadyRegistered);
    EXPECT_EQ(hotkeys->registerHotkey(4, 8, 'A'), hotkeyerror::InvalidParameter);
    ASSERT_EQ(hotkeys->registerHotkey(1, ModAlt, 'R'), 0);
    xdotool({"key", "ctrl+r", "alt+r"});
    EXPECT_EQ(settle(), std::vector<int>{1});
}

TEST_F(HotkeysX, HeldKeyDoesNotRepeatTheAction) {
    ASSERT_EQ(hotkeys->registerHotkey(1, ModControl, 'R'), 0);
    xdotool({"keydown", "ctrl+r"});
    ASSERT_TRUE(processUntil([&] { return hotkeys->ignoredRepeats() >= 3; }));
    xdotool({"keyup", "ctrl+r"});
    EXPECT_EQ(settle(), std::vector<int>{1});
}

TEST_F(HotkeysX, CombinationHeldByAnotherClientFails) {
    ASSERT_TRUE(grabKeyElsewhere(XCB_MOD_MASK_CONTROL, 'R'));
    EXPECT_EQ(hotkeys->registerHotkey(1, ModControl, 'R'), hotkeyerror::AlreadyRegistered);

    // Ours now; the other client is refused until we let go.
    xcb_ungrab_key(server->connection(), XCB_GRAB_ANY, server->x().root(), XCB_MOD_MASK_ANY);
    server->x().sync();
    ASSERT_EQ(hotkeys->registerHotkey(1, ModControl, 'R'), 0);
    EXPECT_FALSE(grabKeyElsewhere(XCB_MOD_MASK_CONTROL, 'R'));
    EXPECT_TRUE(hotkeys->unregisterHotkey(1));
    x11::XConnection::fromQt().sync();  // our ungrab is handled before the other client's grab
    EXPECT_TRUE(grabKeyElsewhere(XCB_MOD_MASK_CONTROL, 'R'));
}

// A program we wait for presses the hotkey itself, so the press surely comes during the wait.
// It is dropped rather than run once the wait is over; the next press runs as ever.
TEST_F(HotkeysX, APressDuringAWaitForAProgramIsDropped) {
    ASSERT_EQ(hotkeys->registerHotkey(1, ModControl, 'R'), 0);
    const QStringList pressAndEnd = {"-c", "xdotool key ctrl+r"};
    QtProcess process;
    Launcher launcher(10000);
    const std::pair<const char*, std::function<void()>> waits[] = {
        {"program run to its end",
         [&] { EXPECT_TRUE(process.run("sh", pressAndEnd, 10000).ok()); }},
        {"program launched", [&] { EXPECT_EQ(launcher.launch("sh", pressAndEnd).exitCode, 0); }},
    };
    for (const auto& [name, wait] : waits) {
        SCOPED_TRACE(name);
        const int dropped = hotkeys->droppedPresses();
        wait();
        EXPECT_TRUE(settle().empty()) << "the press was replayed after the wait";
        EXPECT_EQ(hotkeys->droppedPresses(), dropped + 1);
        xdotool({"key", "ctrl+r"});
        EXPECT_EQ(settle(), std::vector<int>{1});
    }
}

}  // namespace
}  // namespace qv::platform
