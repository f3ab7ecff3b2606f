// Hotkeys pressed while a command waits: they run after it, in the order pressed.
#include <algorithm>
#include <utility>
#include <vector>

#include "options/hotkeytable.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

constexpr int kFreeze = options::kFirstHotkeyId + options::RowFreeze;
constexpr int kRelease = options::kFirstHotkeyId + options::RowRelease;
// Not a hotkey: "Freeze Desktop" chosen in the tray menu.
constexpr int kTrayFreeze = 0;

enum class During { Pause, Settle };

struct Burst {
    const char* name;
    bool frozenBefore;
    int first;                // what starts the command
    During during;            // the first of its waits in which the rest arrive
    std::vector<int> others;  // pressed during that wait
    bool frozenAfter;
    int grabs;  // each freeze reads the screen once
};

class HotkeyBurstTest : public CaptureTest {
protected:
    // The main window's dispatcher receives the presses.
    HotkeyBurstTest() { mainWindow(); }

    void start(int what) {
        if (what == kTrayFreeze)
            mainWindow().freezeItem->trigger();
        else
            fake.hotkeys().onHotkey(what);
    }
    bool frozenScreenShown() {
        const FrozenScreen* frozen = shellWindows().frozenScreen.peek();
        return frozen && frozen->isVisible();
    }
};

TEST_F(HotkeyBurstTest, PressesDuringACommandsWaitRunAfterItAndTheLastOneDecides) {
    constexpr int F = kFreeze;
    constexpr int R = kRelease;
    const std::vector<Burst> bursts = {
        {"release in the freeze's pause", false, F, During::Pause, {R}, false, 1},
        {"release in the settle before the grab", false, F, During::Settle, {R}, false, 1},
        {"release in the pause of a refreeze", true, F, During::Pause, {R}, false, 1},
        {"burst ending with release", false, F, During::Settle, {R, F, R, F, R}, false, 3},
        {"burst ending with freeze", false, F, During::Pause, {R, F, R, F}, true, 3},
        {"freeze twice while frozen", true, F, During::Settle, {F}, true, 2},
        {"release in the tray freeze's pause", false, kTrayFreeze, During::Pause, {R}, false, 1},
    };
    for (const Burst& burst : bursts) {
        SCOPED_TRACE(burst.name);
        mainWindow().resetAfterRelease();
        if (burst.frozenBefore)
            freeze();
        flushDrops();
        int grabs = 0;
        fake.desktop().onGrab = [&] { ++grabs; };
        // The presses come in the first wait; a command run inside a wait would wait in turn
        // and go one level deeper.
        int depth = 0;
        int deepest = 0;
        std::vector<int> arriving = burst.others;
        const auto arrive = [&] {
            deepest = std::max(deepest, ++depth);
            for (const int id : std::exchange(arriving, {}))
                fake.hotkeys().onHotkey(id);
            --depth;
        };
        fake.clock().duringSleep = [&](int) {
            if (burst.during == During::Pause)
                arrive();
        };
        fake.desktop().duringSettle = [&] {
            if (burst.during == During::Settle)
                arrive();
        };

        start(burst.first);
        // Back in the event loop, what waits runs.
        fake.clock().advance(60'000);

        EXPECT_TRUE(arriving.empty()) << "the wait never came";
        EXPECT_EQ(deepest, 1) << "a command ran inside another one's wait";
        EXPECT_EQ(grabs, burst.grabs);
        EXPECT_EQ(frozenScreenShown(), burst.frozenAfter);
        EXPECT_EQ(captureState().freeze.desktopFrozen, burst.frozenAfter);
        EXPECT_EQ(mainWindow().releaseItem->isEnabled(), burst.frozenAfter);
        fake.clock().duringSleep = nullptr;
        fake.desktop().duringSettle = nullptr;
        fake.desktop().onGrab = nullptr;
    }
}

TEST_F(HotkeyBurstTest, APressWhoseTurnComesUnderOneOfOurDialogsIsDroppedAsOnePressedThere) {
    fake.clock().duringSleep = [&](int) { fake.hotkeys().onHotkey(kRelease); };
    start(kTrayFreeze);
    fake.clock().duringSleep = nullptr;
    // A box of ours is up before the event loop comes round to the press.
    fake.dialogs().whileMessageOpen = [&] { fake.clock().advance(1000); };
    platform::dialogs().message("box", platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                "title");
    fake.clock().advance(1000);
    EXPECT_TRUE(frozenScreenShown());
    EXPECT_TRUE(captureState().freeze.desktopFrozen);
}

}  // namespace
}  // namespace qv::shell::capturetests
