// The frozen screen lets another program's active window show in front of it, and comes back
// on top when it is activated again.
#include <gtest/gtest.h>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using YieldTest = CaptureTest;

TEST_F(YieldTest, AnotherProgramsActiveWindowShowsInFrontUntilTheFrozenScreenIsActivated) {
    constexpr platform::WindowId kOther = 0x3b00001;
    freeze();
    FrozenScreen& screen = frozenScreen();
    const platform::WindowId frozen = screen.winId();
    auto& desktop = fake.desktop();
    EXPECT_TRUE(desktop.keptAbove.isEmpty()) << "left as the window was made";

    desktop.activate(kOther);
    EXPECT_EQ(desktop.keptAbove.value(frozen, true), false);
    ASSERT_EQ(desktop.stackedBelow.size(), 1u);
    EXPECT_EQ(desktop.stackedBelow[0], std::make_pair(frozen, kOther));

    // Back on top when Qt activates it, and when the window system says one of ours is
    // active, which may come after Qt's activation.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&screen, &activate);
    EXPECT_EQ(desktop.keptAbove.value(frozen, false), true);
    desktop.activate(kOther);
    EXPECT_EQ(desktop.keptAbove.value(frozen, true), false);
    desktop.activate(frozen);
    EXPECT_EQ(desktop.keptAbove.value(frozen, false), true);
    EXPECT_EQ(desktop.stackedBelow.size(), 2u);

    // Released, the screen is gone and nothing is restacked any more.
    mainWindow().releaseItem->trigger();
    flushDrops();
    desktop.keptAbove.clear();
    desktop.activate(kOther + 1);
    EXPECT_TRUE(desktop.keptAbove.isEmpty());
    EXPECT_EQ(desktop.stackedBelow.size(), 2u);
}

}  // namespace
}  // namespace qv::shell::capturetests
