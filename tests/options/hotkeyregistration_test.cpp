#include <gtest/gtest.h>

#include <QCheckBox>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "options/hotkeypump.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeyregistration.h"

namespace qv::options {
namespace {

using Combination = fakes::FakeHotkeys::Combination;

class HotkeyRegistrationTest : public fakes::ProgramTest {
protected:
    void storeRow(int row, const char* text) {
        fake.registry().setValue(platform::Registry::Root::CurrentUser, kHotkeysKey,
                                 hotkeyRowName(row), QByteArray(text) + QByteArray(1, '\0'));
    }
    HotkeyRecorder recorder;
    HotkeyPump pump{recorder};
};

TEST_F(HotkeyRegistrationTest, AFailingRowGetsItsMessageAndLaterRowsStillRegister) {
    storeRow(RowRelease, "CTRL+R");
    storeRow(RowFreeze, "CTRL+F");
    storeRow(RowSaveAs, "CTRL+SHIFT+S");
    storeRow(RowContextMenu, "ALT+M");
    storeRow(RowPrint, "CTRL+p");  // not a combination the table offers
    fake.hotkeys().heldElsewhere.push_back({2, 'F'});

    registerhotkeys();

    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const auto& shown = fake.dialogs().messages.front();
    EXPECT_EQ(shown.text,
              "Error: 1409 Registering Hotkey:   Freeze Desktop   CTRL+F\rFailed ! Hotkey "
              "already used by another program ? \r\rQuorvalline  will keep running but the "
              "hotkey will not be available !");
    EXPECT_EQ(shown.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(shown.title, " Quorvalline ");
    const QMap<int, Combination> expected{
        {0xB001, {2, 'R'}}, {0xB008, {6, 'S'}}, {0xB00F, {1, 'M'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "untouched");
    EXPECT_EQ(recorder.caption(MenuItem::mnuPrint), "untouched");
    EXPECT_EQ(recorder.caption(MenuItem::mnuContextRelease), "Release Desktop   CTRL+R");
    EXPECT_EQ(recorder.caption(MenuItem::mnuSaveas), "Save As...   CTRL+SHIFT+S");
}

TEST_F(HotkeyRegistrationTest, CaptionsOfRowsElevenAndTwelveWaitForTheOptionsWindow) {
    storeRow(RowCopy, "CTRL+C");
    registerhotkeys();
    EXPECT_EQ(recorder.caption(MenuItem::mnucopytoclipbrd), "untouched");

    releasehotkeys();
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    prog.optionsForms().form4->Check2->setChecked(true);
    registerhotkeys();
    EXPECT_EQ(recorder.caption(MenuItem::mnucopytoclipbrd),
              "Copy to Clipboard( Autocopy Enabled )    CTRL+C");
}

}  // namespace
}  // namespace qv::options
