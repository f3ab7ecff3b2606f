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
        const size_t before = fake.dialogs().messages.size();
        recorder.calls.clear();
        fake.hotkeys().onHotkey(id);
        QStringList outcome = recorder.calls;
        const auto& shown = fake.dialogs().messages;
        for (size_t i = before; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].icon, platform::MsgIcon::Information);
            outcome << QStringLiteral("[%1]@%2").arg(shown[i].text, shown[i].title);
        }
        return outcome.join(QLatin1Char(','));
    }
    void setScreen(bool frozen, bool capture) {
        recorder.frozenShown = prog.shell.desktopfrozen = frozen;
        prog.shell.captureavailable = capture;
    }

    HotkeyRecorder recorder;
    HotkeyPump pump{recorder};
};

TEST_F(HotkeyPumpTest, DispatchTable) {
    const QString mark3 = "[Please Mark an Area for Capturing !   ]@ Quorvalline ";
    const QString mark2 = "[Please Mark an Area for Capturing !  ]@ Quorvalline ";
    const QString low = "[please Mark an Area for Capturing]@ Quorvalline ";
    const QString frozenOnly = "[Only available if screen is frozen !]@Quorvalline";
    const QString refreeze = "mnuRelease_Click,mnuFreeze_Click";
    struct Row {
        int id;
        QString outcome[4];  // unfrozen without/with capture, frozen without/with capture
    };
    const Row table[] = {
        {0xB001, {"mnuRelease_Click", "mnuRelease_Click", "mnuRelease_Click", "mnuRelease_Click"}},
        {0xB002, {"mnuFreeze_Click", "mnuFreeze_Click", refreeze, refreeze}},
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
        {0xB00D, {low, "mnucopytoclipbrd_Click", low, "mnucopytoclipbrd_Click"}},
        {0xB00E, {low, "mnuemail_Click", low, "mnuemail_Click"}},
        {0xB000, {"", "", "", ""}},
        {0xB010, {"", "", "", ""}},
    };
    fake.desktop().foreground = 4242;
    for (const Row& row : table) {
        for (int state = 0; state < 4; ++state) {
            setScreen(state >= 2, state % 2 == 1);
            EXPECT_EQ(press(row.id), row.outcome[state]) << std::hex << row.id << " " << state;
        }
    }
    EXPECT_EQ(recorder.target, 4242u) << "taken on a frozen screen too";
}

TEST_F(HotkeyPumpTest, FreezeOnAFrozenScreenPausesHalfASecondBetweenReleaseAndFreeze) {
    setScreen(true, true);
    press(0xB002);
    ASSERT_EQ(recorder.times.size(), 2u);
    EXPECT_EQ(recorder.times[1] - recorder.times[0], 500);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{500});
}

TEST_F(HotkeyPumpTest, LeftButtonClearsTrayHoverAlsoWhenDisabledButNotAfterPageSetupRefusal) {
    fake.desktop().leftButton = true;
    prog.shell.trayhover = true;
    press(0xB00B);
    EXPECT_TRUE(prog.shell.trayhover);
    prog.options.disablehotkeys = true;
    EXPECT_EQ(press(0xB00B), "");
    EXPECT_FALSE(prog.shell.trayhover);

    prog.shell.trayhover = true;
    QWidget widget;
    QMouseEvent left(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &left);
    EXPECT_FALSE(prog.shell.trayhover);
}

TEST_F(HotkeyPumpTest, ContextMenuHotkeySetsTheItemsByTheFrozenState) {
    for (bool frozen : {false, true}) {
        setScreen(frozen, false);
        prog.shell.dialogopen = true;
        for (auto item : {MenuItem::mnupaste, MenuItem::mnuaddobject, MenuItem::mnuContextRelease})
            recorder.menuItem(item)->setEnabled(true);
        for (auto item : {MenuItem::mnuDraw, MenuItem::mnurectangle})
            recorder.menuItem(item)->setEnabled(false);

        EXPECT_EQ(press(0xB00F), "UpdateClipboardMenus,popupContextMenu");
        EXPECT_TRUE(recorder.popupFlag);
        EXPECT_FALSE(prog.shell.contextpopup);
        EXPECT_FALSE(prog.shell.dialogopen);
        EXPECT_EQ(recorder.menuItem(MenuItem::mnupaste)->isEnabled(), frozen);
        EXPECT_EQ(recorder.menuItem(MenuItem::mnuaddobject)->isEnabled(), frozen);
        EXPECT_EQ(recorder.menuItem(MenuItem::mnuContextRelease)->isEnabled(), frozen);
        EXPECT_TRUE(recorder.menuItem(MenuItem::mnuDraw)->isEnabled());
        EXPECT_TRUE(recorder.menuItem(MenuItem::mnurectangle)->isEnabled());
    }
}

}  // namespace
}  // namespace qv::options
