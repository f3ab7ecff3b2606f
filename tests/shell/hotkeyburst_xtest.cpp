// Bursts of the freeze and release hotkeys pressed on a real keyboard, the program waiting as
// it does for the user.
#include <QProcess>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/hotkeytable.h"
#include "platform/linux/realclock.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "shell/windows.h"
#include "support/programxtest.h"

namespace qv::shell {
namespace {

class HotkeyBurstX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        // A small screen: the test is about the presses, not about the grabs. The waits are
        // real, as only they leave room for the presses to come in between (90 freezes of
        // 350 ms: half a minute).
        ASSERT_NO_FATAL_FAILURE(startProgram(
            {.size = {480, 320}, .windowManager = true}, [](fakes::FakePlatform& fake) {
                auto& services = fake.services();
                services.clock = std::make_unique<platform::RealClock>();
                services.desktop = std::make_unique<platform::X11Desktop>();
                services.hotkeys = std::make_unique<platform::X11Hotkeys>();
            }));
        quietCaptures();
        // The default hotkeys, and Copy to Clipboard, which with no capture only says so: its
        // message shows once every press before it has run.
        using namespace options;
        for (const auto& [row, key] :
             {std::pair{RowFreeze, 'F'}, {RowRelease, 'R'}, {RowCopy, 'K'}})
            ASSERT_EQ(
                platform::hotkeys().registerHotkey(kFirstHotkeyId + row, platform::ModControl, key),
                0);
        platform::hotkeys().onHotkey = [this, dispatch = platform::hotkeys().onHotkey](int id) {
            ++presses_;
            dispatch(id);
        };
    }

    // Types keys 20 ms apart while the program goes on; true once xdotool has typed them all.
    bool type(const QStringList& keys) {
        QProcess xdotool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), server->display());
        xdotool.setProcessEnvironment(env);
        xdotool.start(QStringLiteral("xdotool"), QStringList{"key", "--delay", "20"} + keys);
        return processUntil([&] { return xdotool.state() == QProcess::NotRunning; }, 30000) &&
               xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
    }
    bool frozenScreenMapped() const {
        // xdotool says 1 when it finds no such window.
        return server->run(QStringLiteral("xdotool"),
                           {"search", "--onlyvisible", "--name", "^Frozen Screen$"}) != 1;
    }

    int presses_ = 0;
};

TEST_F(HotkeyBurstX, AlternatingBurstsEndReleasedByTheLastRelease) {
    QStringList burst;
    for (int i = 0; i < 30; ++i)
        burst << "ctrl+f"
              << "ctrl+r";
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(type(burst + QStringList{"ctrl+k"})) << "xdotool failed";
        ASSERT_TRUE(
            processUntil([&] { return int(fake_->dialogs().messages.size()) == round; }, 120000))
            << "the presses never all ran; " << presses_ << " arrived";
        EXPECT_EQ(presses_, 61 * round);
        EXPECT_FALSE(prog_->captureState.freeze.desktopFrozen);
        const FrozenScreen* frozen = prog_->shellWindows().frozenScreen.peek();
        EXPECT_FALSE(frozen && frozen->isVisible());
        EXPECT_TRUE(processUntil([&] { return !frozenScreenMapped(); }))
            << "the frozen screen stays on the X server";
    }
}

}  // namespace
}  // namespace qv::shell
