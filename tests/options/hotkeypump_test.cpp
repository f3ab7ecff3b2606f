#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "options/hotkeypump.h"
#include "options/hotkeyrecorder.h"

namespace qv::options {
namespace {

class HotkeyPumpTest : public fakes::ProgramTest {
protected:
    // The commands called and the messages shown by one press, in one line.
    QString press(int id) {
        const size_t shownBefore = fake.dialogs().messages.size();
        recorder.calls.clear();
        pump.Timer1_Timer(id);
        QStringList outcome = recorder.calls;
        const auto& shown = fake.dialogs().messages;
        for (size_t i = shownBefore; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].icon, platform::MsgIcon::Information);
            outcome << QStringLiteral("[%1]@%2").arg(shown[i].text, shown[i].title);
        }
        return outcome.join(QLatin1Char(','));
    }
    void setScreen(bool frozen, bool capture) {
        recorder.frozenShown = frozen;
        prog.shell.desktopfrozen = frozen;
        prog.shell.captureavailable = capture;
    }

    HotkeyRecorder recorder;
    HotkeyPump pump{recorder};
};

TEST_F(HotkeyPumpTest, DispatchTable) {
    const QString mark3 = "[Please Mark an Area for Capturing !   ]@ Quorvalline ";
    const QString mark2 = "[Please Mark an Area for Capturing !  ]@ Quorvalline ";
    const QString markLow = "[please Mark an Area for Capturing]@ Quorvalline ";
    const QString frozenOnly = "[Only available if screen is frozen !]@Quorvalline";
    struct Row {
        int id;
        // unfrozen without / with capture, frozen without / with capture
        QString outcome[4];
    };
    const Row table[] = {
        {0xB001, {"mnuRelease_Click", "mnuRelease_Click", "mnuRelease_Click", "mnuRelease_Click"}},
        {0xB002,
         {"mnuFreeze_Click", "mnuFreeze_Click", "mnuRelease_Click,mnuFreeze_Click",
          "mnuRelease_Click,mnuFreeze_Click"}},
        {0xB003, {"mnuactivewindow_Click", "mnuactivewindow_Click", "", ""}},
        {0xB004, {"mnucapturescreen_Click", "mnucapturescreen_Click", "", ""}},
        {0xB005, {"mnuOptions_Click", "mnuOptions_Click", "mnuOptions_Click", "mnuOptions_Click"}},
        {0xB006, {"mnuExit_Click", "mnuExit_Click", "mnuExit_Click", "mnuExit_Click"}},
        {0xB007, {mark3, mark3, mark3, "mnuSaveToDefDir_Click"}},
        {0xB008, {mark2, mark2, mark2, "mnuSaveas_Click"}},
        {0xB009, {mark2, mark2, mark2, "mnuDefPrinter_Click"}},
        {0xB00A, {mark2, mark2, mark2, "mnuPrint_Click"}},
        {0xB00B, {frozenOnly, frozenOnly, "mnupagesetup_Click", "mnupagesetup_Click"}},
        {0xB00C, {mark2, mark2, mark2, "mnuOpenContainerApp_Click"}},
        {0xB00D, {markLow, "mnucopytoclipbrd_Click", markLow, "mnucopytoclipbrd_Click"}},
        {0xB00E, {markLow, "mnuemail_Click", markLow, "mnuemail_Click"}},
        {0xB000, {"", "", "", ""}},
        {0xB010, {"", "", "", ""}},
    };
    for (const Row& row : table) {
        for (int state = 0; state < 4; ++state) {
            setScreen(state >= 2, state % 2 == 1);
            EXPECT_EQ(press(row.id), row.outcome[state])
                << std::hex << row.id << " in state " << state;
        }
    }
}

TEST_F(HotkeyPumpTest, FreezeOnAFrozenScreenReleasesWaitsAndFreezesAgain) {
    setScreen(true, true);
    press(0xB002);
    ASSERT_EQ(recorder.times.size(), 2u);
    EXPECT_EQ(recorder.times[1] - recorder.times[0], 500);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{500});

    setScreen(false, false);
    fake.clock().sleeps.clear();
    EXPECT_EQ(press(0xB002), "mnuFreeze_Click");
    EXPECT_TRUE(fake.clock().sleeps.empty());
}

TEST_F(HotkeyPumpTest, ActiveWindowHotkeyTakesTheForegroundWindowEvenWhenFrozen) {
    fake.desktop().foreground = 4242;
    setScreen(true, false);
    EXPECT_EQ(press(0xB003), "");
    EXPECT_EQ(recorder.target, 4242u);
}

TEST_F(HotkeyPumpTest, DisabledHotkeysAreIgnoredButTheLeftButtonIsStillChecked) {
    prog.options.disablehotkeys = true;
    prog.shell.trayhover = true;
    fake.desktop().leftButton = true;
    EXPECT_EQ(press(0xB002), "");
    EXPECT_EQ(press(0xB006), "");
    EXPECT_FALSE(prog.shell.trayhover);
}

TEST_F(HotkeyPumpTest, LeftButtonClearsTrayHoverExceptAfterThePageSetupRefusal) {
    fake.desktop().leftButton = true;
    prog.shell.trayhover = true;
    press(0xB00B);
    EXPECT_TRUE(prog.shell.trayhover) << "the refusal ends the press early";
    press(0xB005);
    EXPECT_FALSE(prog.shell.trayhover);

    prog.shell.trayhover = true;
    fake.desktop().leftButton = false;
    press(0xB005);
    EXPECT_TRUE(prog.shell.trayhover);

    QWidget widget;
    QMouseEvent left(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &left);
    EXPECT_FALSE(prog.shell.trayhover);
}

TEST_F(HotkeyPumpTest, ContextMenuHotkeyOnAnUnfrozenScreen) {
    prog.shell.dialogopen = true;
    for (MenuItem item :
         {MenuItem::mnupaste, MenuItem::mnuaddobject, MenuItem::mnuContextRelease}) {
        recorder.menuItem(item)->setEnabled(true);
    }
    recorder.menuItem(MenuItem::mnuDraw)->setEnabled(false);
    recorder.menuItem(MenuItem::mnurectangle)->setEnabled(false);
    bool popupFlag = false;
    recorder.onPopup = [&] { popupFlag = prog.shell.contextpopup; };

    EXPECT_EQ(press(0xB00F), "UpdateClipboardMenus,popupContextMenu");
    EXPECT_TRUE(popupFlag);
    EXPECT_FALSE(prog.shell.contextpopup);
    EXPECT_FALSE(prog.shell.dialogopen);
    EXPECT_FALSE(recorder.menuItem(MenuItem::mnupaste)->isEnabled());
    EXPECT_FALSE(recorder.menuItem(MenuItem::mnuaddobject)->isEnabled());
    EXPECT_FALSE(recorder.menuItem(MenuItem::mnuContextRelease)->isEnabled());
    EXPECT_TRUE(recorder.menuItem(MenuItem::mnuDraw)->isEnabled());
    EXPECT_TRUE(recorder.menuItem(MenuItem::mnurectangle)->isEnabled());
}

TEST_F(HotkeyPumpTest, ContextMenuHotkeyOnAFrozenScreenLeavesPasteToTheClipboardCheck) {
    setScreen(true, false);
    recorder.menuItem(MenuItem::mnupaste)->setEnabled(true);
    press(0xB00F);
    EXPECT_TRUE(recorder.menuItem(MenuItem::mnupaste)->isEnabled());
    EXPECT_TRUE(recorder.menuItem(MenuItem::mnuaddobject)->isEnabled());
    EXPECT_TRUE(recorder.menuItem(MenuItem::mnuContextRelease)->isEnabled());
}

TEST_F(HotkeyPumpTest, PressesArriveThroughTheHotkeysServiceUntilThePumpGoes) {
    fake.hotkeys().registerHotkey(0xB005, 2, 'O');
    EXPECT_EQ(prog.optionsForms().hotkeyCommands, &recorder);
    fake.hotkeys().press(0xB005);
    EXPECT_EQ(recorder.calls, QStringList{"mnuOptions_Click"});
    {
        HotkeyRecorder other;
        HotkeyPump second(other);
        fake.hotkeys().press(0xB005);
        EXPECT_EQ(other.calls, QStringList{"mnuOptions_Click"});
    }
    EXPECT_EQ(prog.optionsForms().hotkeyCommands, &recorder);
    fake.hotkeys().press(0xB005);
    EXPECT_EQ(recorder.calls.size(), 2);
}

TEST(HotkeyPumpLifetime, AGonePumpLeavesNothingAttached) {
    fakes::FakePlatform fake;
    Program prog;
    {
        HotkeyRecorder recorder;
        HotkeyPump pump(recorder);
    }
    EXPECT_EQ(prog.optionsForms().hotkeyCommands, nullptr);
    EXPECT_FALSE(fake.hotkeys().onHotkey);
}

}  // namespace
}  // namespace qv::options
