#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "options/hotkeypump.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeytable.h"

namespace qv::options {
namespace {

using Combination = fakes::FakeHotkeys::Combination;
using Root = platform::Registry::Root;

class HotkeyDialogTest : public fakes::ProgramTest {
protected:
    Form5& form() { return prog.optionsForms().form5.get(); }
    // Chooses a row name and a combination and presses Set Hotkey.
    void set(int row, const QString& modifier, const QString& key) {
        if (row >= 0)
            form().List1->setCurrentRow(row);
        form().Combo2->setCurrentText(modifier);
        form().Combo3->setCurrentText(key);
        form().Command1->click();
    }
    void remove(int row) {
        form().show();
        form().List2->setCurrentRow(row);
        fake.clock().advance(100);
        form().Command4->click();
    }
    QString rowText(int row) { return form().List2->item(row)->text(); }
    const fakes::FakeDialogs::Shown& lastMessage() { return fake.dialogs().messages.back(); }

    HotkeyRecorder recorder;
    HotkeyPump pump{recorder};
};

TEST_F(HotkeyDialogTest, SetRegistersTheRowAndShowsItInTheCaptions) {
    set(RowRelease, "CTRL+SHIFT+", "R");
    EXPECT_EQ(rowText(RowRelease), "CTRL+SHIFT+R");
    EXPECT_EQ(fake.hotkeys().registered.value(0xB001), (Combination{6, 'R'}));
    EXPECT_EQ(recorder.caption(MenuItem::mnuRelease), "Release Desktop   CTRL+SHIFT+R");
    EXPECT_EQ(recorder.caption(MenuItem::mnuContextRelease), "Release Desktop   CTRL+SHIFT+R");
    EXPECT_TRUE(fake.dialogs().messages.empty());

    fake.hotkeys().press(0xB001);
    EXPECT_EQ(recorder.calls, QStringList{"mnuRelease_Click"});
}

TEST_F(HotkeyDialogTest, RefusalsOfSet) {
    set(RowFreeze, "CTRL+", "R");
    form().List1->clearSelection();
    set(-1, "CTRL+", "R");
    EXPECT_EQ(lastMessage().text, "Hotkey Already exists !");
    EXPECT_EQ(lastMessage().icon, platform::MsgIcon::Information);
    EXPECT_EQ(lastMessage().title, " Quorvalline ");

    set(RowFreeze, "CTRL+", "R");
    EXPECT_EQ(lastMessage().text, "Hotkey Already exists !") << "its own combination again";

    form().List1->clearSelection();
    set(-1, "ALT+", "Q");
    EXPECT_EQ(lastMessage().text, "Please Select a Menu Item to Assign the Hothey !");
    EXPECT_EQ(lastMessage().title, " Quorvalline ");
    EXPECT_EQ(fake.dialogs().messages.size(), 3u);
    EXPECT_EQ(fake.hotkeys().registered.size(), 1);
}

TEST_F(HotkeyDialogTest, SetOnARowWithAHotkeyReleasesTheOldCombination) {
    set(RowFreeze, "CTRL+", "F");
    set(RowFreeze, "ALT+", "F");
    EXPECT_EQ(fake.hotkeys().registered.value(0xB002), (Combination{1, 'F'}));
    set(RowExit, "CTRL+", "F");
    EXPECT_TRUE(fake.dialogs().messages.empty()) << "the old combination is free again";
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop   ALT+F");
}

TEST_F(HotkeyDialogTest, ACombinationHeldElsewhereIsReportedAndChangesNothing) {
    prog.optionsForms().form4.get();
    set(RowCopy, "CTRL+", "C");
    fake.hotkeys().heldElsewhere.push_back({4, 'C'});
    set(RowCopy, "SHIFT+", "C");
    EXPECT_EQ(lastMessage().text,
              "Error: 1409 Registering Hotkey  Copy to Clipboard  SHIFT+C  "
              "Failed !\rHotkey already used by another program ?");
    EXPECT_EQ(lastMessage().icon, platform::MsgIcon::Critical);
    EXPECT_EQ(lastMessage().title, " Quorvalline ");
    EXPECT_EQ(rowText(RowCopy), "CTRL+C");
    EXPECT_EQ(fake.hotkeys().registered.value(0xB00D), (Combination{2, 'C'}));
    EXPECT_EQ(recorder.caption(MenuItem::mnucopytoclipbrd), "Copy to Clipboard   CTRL+C");
}

TEST_F(HotkeyDialogTest, CopyCaptionNamesAutocopyFromTheOptionsWindow) {
    prog.optionsForms().form4->Check2->setChecked(true);
    prog.optionsForms().form4->Text4->setText("Paint");
    set(RowCopy, "CTRL+", "C");
    set(RowContainerApp, "CTRL+", "P");
    EXPECT_EQ(recorder.caption(MenuItem::mnucopytoclipbrd),
              "Copy to Clipboard( Autocopy Enabled )    CTRL+C");
    EXPECT_EQ(recorder.caption(MenuItem::mnuOpenContainerApp),
              "Start Default Application( Paint )   CTRL+P");
}

TEST_F(HotkeyDialogTest, RemoveReleasesTheRow) {
    set(RowFreeze, "CTRL+", "F");
    remove(RowFreeze);
    EXPECT_FALSE(fake.hotkeys().registered.contains(0xB002));
    EXPECT_EQ(rowText(RowFreeze), "");
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop   ");
    EXPECT_FALSE(fake.hotkeys().press(0xB002));
}

TEST_F(HotkeyDialogTest, RemoveIsOfferedOnlyForASelectedNonEmptyRow) {
    form().show();
    set(RowExit, "ALT+", "X");
    EXPECT_FALSE(form().Command4->isEnabled());
    form().List2->setCurrentRow(RowExit);
    fake.clock().advance(100);
    EXPECT_TRUE(form().Command4->isEnabled());

    form().List2->setCurrentRow(RowOptions);
    EXPECT_TRUE(form().List2->selectedItems().isEmpty()) << "an empty row stays unselected";
    fake.clock().advance(100);
    EXPECT_FALSE(form().Command4->isEnabled());
}

TEST_F(HotkeyDialogTest, DisableReleasesEverythingAndSetOnlyRecordsMeanwhile) {
    form().show();
    set(RowFreeze, "CTRL+", "F");
    set(RowRelease, "CTRL+", "R");
    form().Check1->setChecked(true);
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop");

    set(RowExit, "ALT+", "X");
    EXPECT_EQ(rowText(RowExit), "ALT+X");
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());

    form().Check1->setChecked(false);
    EXPECT_FALSE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_EQ(fake.hotkeys().registered.size(), 3);
    EXPECT_EQ(recorder.caption(MenuItem::mnuExit), "Exit   ALT+X");
}

TEST_F(HotkeyDialogTest, UncheckingWhileHiddenDoesNothing) {
    set(RowFreeze, "CTRL+", "F");
    form().Check1->setChecked(true);
    form().Check1->setChecked(false);
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
}

TEST_F(HotkeyDialogTest, CloseStoresTheTableForTheNextStart) {
    form().show();
    set(RowFreeze, "CTRL+", "F");
    form().Check1->setChecked(true);
    form().Command2->click();
    EXPECT_FALSE(form().isVisible());
    const auto stored = [&](const QString& name) {
        return fake.registry().value(Root::CurrentUser, kHotkeysKey, name);
    };
    EXPECT_EQ(stored("Freeze Desktop"), QByteArray("CTRL+F\0", 7));
    EXPECT_EQ(stored("DisableHotkeys"), QByteArray("1\0", 2));

    Program next;
    Form5& again = next.optionsForms().form5.get();
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_EQ(again.List2->item(RowFreeze)->text(), "CTRL+F");
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_FALSE(next.options.defaulthotkeys);
}

}  // namespace
}  // namespace qv::options
