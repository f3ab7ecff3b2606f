// "Start Default Application": which program is started or brought back, what is said, what is
// remembered and whether the desktop is released.
#include <gtest/gtest.h>

#include "output/pastingapplication.h"
#include "shell/capture_fixture.h"

namespace qv::output {
namespace {

using options::PastingLaunch;
namespace result = platform::shellresult;

constexpr platform::WindowId kLive = 0x3a00001;   // the pasting application's window, still there
constexpr platform::WindowId kGone = 0x3a00002;   // a remembered window since closed
constexpr platform::WindowId kOther = 0x3b00001;  // the window the started program brings up
constexpr platform::WindowId kFront = 0x1c00005;  // in front when the screen froze
constexpr qint64 kPastingProcess = 4100;          // the pasting application's process
constexpr qint64 kStrangerProcess = 4200;         // a program started later
const QString kNoHandle = QStringLiteral(
    "Could not optain a handle to Application, please Start Application again from the context "
    "menu and wait 5 seconds !");

enum class Known { None, Live, Gone };
// The foreground window once the started program had its time: still the one the frozen screen
// found, another program's, or one of ours.
enum class After { Unchanged, Other, Ours };

class PastingApplicationTest : public shell::capturetests::CaptureTest {
protected:
    PastingApplicationTest() {
        fake.shell().liveWindows = {kLive, kOther};
        fake.desktop().windows[kFront].frame = QRect(40, 30, 640, 480);
    }

    // A frozen screen with a capture, found while another program's window was in front.
    void freezeWithCapture() {
        fake.desktop().foreground = kFront;
        freeze();
        // The activations still queued run now, as they would before any command is chosen.
        QCoreApplication::processEvents();
        session().buffer = shell::capturetests::patternScreen(8, 8);
        captureState().freeze.captureAvailable = true;
    }
    void bringToFrontOnStart(After after) {
        fake.shell().onStart = [this, after] {
            if (after == After::Other)
                fake.desktop().foreground = kOther;
            if (after == After::Ours)
                fake.desktop().foreground = frozenScreen().winId();
        };
    }
    platform::WindowId& known() { return prog.output.pastingAppWindow; }
};

TEST_F(PastingApplicationTest, StartsOrRestoresAndRemembersTheWindowThatCameToTheFront) {
    struct Row {
        PastingLaunch mode;
        Known before;
        int launch;
        After after;
        bool release;
        // expected
        QString message;
        bool restored, started, waited;
        platform::WindowId knownAfter;
        bool released;
    };
    const auto New = PastingLaunch::NewInstance;
    const auto Restore = PastingLaunch::RestoreExisting;
    const int ok = result::LaunchOk;
    const Row rows[] = {
        // A live window only comes back; not even the options' release follows.
        {Restore, Known::Live, ok, After::Other, true, {}, true, false, false, kLive, false},
        // A closed one is forgotten and the program started again in the same run.
        {Restore, Known::Gone, ok, After::Other, false, {}, true, true, true, kOther, false},
        {Restore, Known::Gone, ok, After::Other, true, {}, true, true, true, kOther, true},
        {Restore, Known::None, ok, After::Other, true, {}, false, true, true, kOther, true},
        // Nothing new in front: forgotten, said, and the frozen screen stays.
        {Restore, Known::None, ok, After::Unchanged, true, kNoHandle, false, true, true, 0, false},
        {Restore, Known::None, ok, After::Ours, true, kNoHandle, false, true, true, 0, false},
        // A new instance every time, nothing said when it stays behind.
        {New, Known::Live, ok, After::Other, true, {}, false, true, true, kOther, true},
        {New, Known::None, ok, After::Unchanged, true, {}, false, true, true, 0, false},
        {New, Known::None, ok, After::Ours, false, {}, false, true, true, 0, false},
        // Results from 33 to 41 are taken as started without waiting for a window.
        {Restore, Known::None, 35, After::Other, true, {}, false, true, false, 0, true},
        {New, Known::Gone, 35, After::Other, false, {}, false, true, false, 0, false},
        // A failed launch is said and still releases when the options ask.
        {Restore, Known::Gone, result::FileNotFound, After::Other, true,
         QStringLiteral("File not found !"), true, true, false, 0, true},
        {New, Known::None, result::FileNotFound, After::Other, false,
         QStringLiteral("File not found !"), false, true, false, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        mainWindow().resetAfterRelease();
        freezeWithCapture();
        settings().pastingLaunch = row.mode;
        settings().releaseAfterCapture = row.release;
        known() = row.before == Known::Live ? kLive : row.before == Known::Gone ? kGone : 0;
        fake.shell().result = row.launch;
        fake.shell().started.clear();
        fake.shell().restored.clear();
        fake.clock().sleeps.clear();
        fake.dialogs().messages.clear();
        bringToFrontOnStart(row.after);

        mainWindow().pastingApplicationItem->trigger();

        if (row.message.isEmpty()) {
            EXPECT_TRUE(fake.dialogs().messages.empty()) << qPrintable(fake.dialogs().lastText());
        } else {
            ASSERT_EQ(fake.dialogs().messages.size(), 1u);
            EXPECT_EQ(fake.dialogs().lastText(), row.message);
        }
        EXPECT_EQ(!fake.shell().restored.empty(), row.restored);
        EXPECT_EQ(fake.shell().started.size(), row.started ? 1u : 0u);
        EXPECT_EQ(fake.clock().sleeps, row.waited ? std::vector<int>{5000} : std::vector<int>{});
        EXPECT_EQ(known(), row.knownAfter);
        EXPECT_EQ(!captureState().freeze.desktopFrozen, row.released);
    }
}

TEST_F(PastingApplicationTest, EachFailedLaunchIsNamedInACriticalBox) {
    const std::pair<int, const char*> cases[] = {
        {2, "File not found !"},
        {3, "Path not found !"},
        {5, "Access denied !"},
        {8, "No more memory !"},
        {11, "Corrupt EXE File !"},
        {26, "Access violation occured !"},
        {27, "Uncomplied or wrong file association !"},
        {28, "DDE Time out !"},
        {29, "DDE transaction failed !"},
        {30, "DDE bussy!"},
        {31, "No such application !"},
        {32, "DLL not found !"},
        {0, "The application could not be started !"},
        {17, "The application could not be started !"},
    };
    freezeWithCapture();
    settings().releaseAfterCapture = false;
    fake.clock().sleeps.clear();
    for (const auto& [code, text] : cases) {
        SCOPED_TRACE(code);
        fake.shell().result = code;
        fake.dialogs().messages.clear();
        mainWindow().pastingApplicationItem->trigger();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        const auto& shown = fake.dialogs().messages[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.icon, platform::MsgIcon::Critical);
        EXPECT_EQ(shown.title, " Quorvalline ");
        EXPECT_TRUE(fake.clock().sleeps.empty());
    }
    EXPECT_EQ(known(), 0u);
}

TEST_F(PastingApplicationTest, TheProgramPathReachesTheShellWholeAndTheWaitIsOnTheClock) {
    freezeWithCapture();
    settings().pastingLaunch = PastingLaunch::RestoreExisting;
    settings().pastingAppPath = QStringLiteral("/opt/my apps/write it --new \"x\"");
    bringToFrontOnStart(After::Other);
    const int eventsBefore = fake.clock().processEventsCalls;
    const qint64 before = fake.clock().steadyMs();

    mainWindow().pastingApplicationItem->trigger();

    ASSERT_EQ(fake.shell().started.size(), 1u);
    EXPECT_EQ(fake.shell().started[0].program, settings().pastingAppPath);
    EXPECT_TRUE(fake.shell().started[0].arguments.isEmpty());
    EXPECT_EQ(fake.clock().steadyMs() - before, 5000);
    EXPECT_GE(fake.clock().processEventsCalls, eventsBefore + 1);
    EXPECT_EQ(known(), kOther);

    // The next run only brings that window back.
    mainWindow().pastingApplicationItem->trigger();
    EXPECT_EQ(fake.shell().started.size(), 1u);
    EXPECT_EQ(fake.shell().restored, std::vector<platform::WindowId>{kOther});
}

// The X server hands out the ids of closed windows again: a program started after the window
// in front went, or after the remembered one's program ended, may come up under that same id.
TEST_F(PastingApplicationTest, AWindowUnderAReusedIdIsTakenForTheNewOneItIs) {
    settings().pastingLaunch = PastingLaunch::RestoreExisting;
    settings().releaseAfterCapture = false;
    fake.shell().windowProcesses[kFront] = kPastingProcess;
    const struct {
        const char* what;
        bool frontGone;            // the window in front at the freeze closed before the start
        bool foundByProcess;       // the window in front after the start is the started program's
        platform::WindowId known;  // remembered afterwards; 0 after the "no handle" message
    } cases[] = {
        {"front still there", false, false, 0},
        {"front gone", true, false, kFront},
        {"the started program's", false, true, kFront},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        mainWindow().resetAfterRelease();
        fake.desktop().windows[kFront].frame = QRect(40, 30, 640, 480);
        freezeWithCapture();
        known() = 0;
        fake.dialogs().messages.clear();
        if (c.frontGone)
            fake.desktop().windows.remove(kFront);
        fake.shell().startedWindowId = c.foundByProcess ? kFront : 0;
        mainWindow().pastingApplicationItem->trigger();
        EXPECT_EQ(known(), c.known);
        EXPECT_EQ(fake.dialogs().messages.size(), c.known ? 0u : 1u);
    }

    // Remembered as the started program's, the window is restored while that program makes it,
    // and forgotten once the program ended: the same id is then another program's.
    fake.shell().started.clear();
    fake.shell().restored.clear();
    fake.shell().liveWindows = {kFront};
    mainWindow().pastingApplicationItem->trigger();
    EXPECT_EQ(fake.shell().restored, std::vector<platform::WindowId>{kFront});
    EXPECT_TRUE(fake.shell().started.empty());
    fake.shell().startedWindowId = 0;
    fake.shell().windowProcesses[kFront] = kStrangerProcess;
    bringToFrontOnStart(After::Other);
    mainWindow().pastingApplicationItem->trigger();
    EXPECT_EQ(fake.shell().restored.size(), 1u) << "not restored again";
    EXPECT_EQ(fake.shell().started.size(), 1u);
    EXPECT_EQ(known(), kOther);
}

// Programs that never say which process they are: the window system still knows which process
// made a window. A remembered window made by another process now is another program's, which
// came up under the id after the pasting application ended; a new copy is started instead.
TEST_F(PastingApplicationTest, ARememberedWindowMadeByAnotherProcessNowIsNotBroughtBack) {
    settings().pastingLaunch = PastingLaunch::RestoreExisting;
    settings().releaseAfterCapture = false;
    constexpr qint64 kUntold = 0;
    const struct {
        const char* what;
        qint64 makerThen, makerNow;
        bool restored;
    } cases[] = {
        {"the same process", kPastingProcess, kPastingProcess, true},
        {"another program's window under the id", kPastingProcess, kStrangerProcess, false},
        {"nothing made by the process any more", kPastingProcess, kUntold, false},
        {"a maker named where none was", kUntold, kStrangerProcess, false},
        {"never told: taken as it was", kUntold, kUntold, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        mainWindow().resetAfterRelease();
        freezeWithCapture();
        known() = 0;
        fake.shell().windowProcesses[kOther] = c.makerThen;
        bringToFrontOnStart(After::Other);
        mainWindow().pastingApplicationItem->trigger();
        ASSERT_EQ(known(), kOther);

        fake.shell().windowProcesses[kOther] = c.makerNow;
        fake.shell().started.clear();
        fake.shell().restored.clear();
        mainWindow().pastingApplicationItem->trigger();
        EXPECT_EQ(fake.shell().restored, c.restored ? std::vector<platform::WindowId>{kOther}
                                                    : std::vector<platform::WindowId>{});
        EXPECT_EQ(fake.shell().started.size(), c.restored ? 0u : 1u);
    }
}

}  // namespace
}  // namespace qv::output
