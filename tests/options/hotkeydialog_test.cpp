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

class HotkeyDialogTest : public fakes::ProgramTest {
protected:
    Form5& form() { return prog.optionsForms().form5.get(); }
    // Chooses a row name (none for -1) and a combination and presses Set Hotkey.
    void set(int row, const QString& modifier, const QString& key) {
        form().List1->clearSelection();
        if (row >= 0)
            form().List1->setCurrentRow(row);
        form().Combo2->setCurrentText(modifier);
        form().Combo3->setCurrentText(key);
        form().Command1->click();
    }
    QString rowText(int row) { return form().List2->item(row)->text(); }
    const fakes::FakeDialogs::Shown& lastMessage() { return fake.dialogs().messages.back(); }
    Combination registered(int id) { return fake.hotkeys().registered.value(id, {0, 0}); }

    HotkeyRecorder recorder;
    HotkeyPump pump{recorder};
};

TEST_F(HotkeyDialogTest, SetRegistersTheRowAndReplacesItsOldCombination) {
    set(RowRelease, "CTRL+SHIFT+", "R");
    EXPECT_EQ(rowText(RowRelease), "CTRL+SHIFT+R");
    EXPECT_EQ(registered(0xB001), (Combination{6, 'R'}));
    EXPECT_EQ(recorder.caption(MenuItem::mnuRelease), "Release Desktop   CTRL+SHIFT+R");
    EXPECT_EQ(recorder.caption(MenuItem::mnuContextRelease), "Release Desktop   CTRL+SHIFT+R");
    fake.hotkeys().press(0xB001);
    EXPECT_EQ(recorder.calls, QStringList{"mnuRelease_Click"});

    set(RowRelease, "ALT+", "R");
    set(RowExit, "CTRL+SHIFT+", "R");
    EXPECT_EQ(registered(0xB001), (Combination{1, 'R'}));
    EXPECT_EQ(registered(0xB006), (Combination{6, 'R'})) << "the old combination is free";
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

TEST_F(HotkeyDialogTest, RefusalsOfSet) {
    set(RowFreeze, "CTRL+", "R");
    for (int row : {-1, int{RowFreeze}}) {
        set(row, "CTRL+", "R");
        EXPECT_EQ(lastMessage().text, "Hotkey Already exists !") << row;
    }
    EXPECT_EQ(lastMessage().icon, platform::MsgIcon::Information);
    EXPECT_EQ(lastMessage().title, " Quorvalline ");

    set(-1, "ALT+", "Q");
    EXPECT_EQ(lastMessage().text, "Please Select a Menu Item to Assign the Hothey !");
    EXPECT_EQ(fake.dialogs().messages.size(), 3u);
    EXPECT_EQ(fake.hotkeys().registered.size(), 1);
}

TEST_F(HotkeyDialogTest, ACombinationHeldElsewhereIsReportedAndChangesNothing) {
    prog.optionsForms().form4.get();  // its first-run defaults copy captures to the clipboard
    set(RowCopy, "CTRL+", "C");
    fake.hotkeys().heldElsewhere.push_back({4, 'C'});
    set(RowCopy, "SHIFT+", "C");
    EXPECT_EQ(lastMessage().text,
              "Error: 1409 Registering Hotkey  Copy to Clipboard  SHIFT+C  "
              "Failed !\rHotkey already used by another program ?");
    EXPECT_EQ(lastMessage().icon, platform::MsgIcon::Critical);
    EXPECT_EQ(lastMessage().title, " Quorvalline ");
    EXPECT_EQ(rowText(RowCopy), "CTRL+C");
    EXPECT_EQ(registered(0xB00D), (Combination{2, 'C'}));
    EXPECT_EQ(recorder.caption(MenuItem::mnucopytoclipbrd),
              "Copy to Clipboard( Autocopy Enabled )    CTRL+C");
}

TEST_F(HotkeyDialogTest, RemoveIsOfferedForASelectedNonEmptyRowAndReleasesIt) {
    form().show();
    set(RowFreeze, "CTRL+", "F");
    form().List2->setCurrentRow(RowOptions);
    EXPECT_TRUE(form().List2->selectedItems().isEmpty()) << "empty rows stay unselected";
    fake.clock().advance(100);
    EXPECT_FALSE(form().Command4->isEnabled());

    form().List2->setCurrentRow(RowFreeze);
    fake.clock().advance(100);
    form().Command4->click();
    EXPECT_FALSE(fake.hotkeys().registered.contains(0xB002));
    EXPECT_EQ(rowText(RowFreeze), "");
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop   ");
    fake.clock().advance(100);
    EXPECT_FALSE(form().Command4->isEnabled());
}

TEST_F(HotkeyDialogTest, DisableReleasesEverythingAndSetOnlyRecordsMeanwhile) {
    set(RowFreeze, "CTRL+", "F");
    form().Check1->setChecked(true);
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop");
    form().Check1->setChecked(false);
    EXPECT_TRUE(prog.options.disablehotkeys) << "unchecking a hidden window does nothing";

    form().show();
    form().Check1->setChecked(true);
    set(RowExit, "ALT+", "X");
    EXPECT_EQ(rowText(RowExit), "ALT+X");
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    fake.hotkeys().registerHotkey(0xB001, 2, 'R');  // the start-up default
    form().Check1->setChecked(false);
    EXPECT_FALSE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    const QMap<int, Combination> expected{{0xB002, {2, 'F'}}, {0xB006, {1, 'X'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
    EXPECT_EQ(recorder.caption(MenuItem::mnuExit), "Exit   ALT+X");
}

TEST_F(HotkeyDialogTest, CloseStoresTheTableForTheNextStart) {
    form().show();
    set(RowFreeze, "CTRL+", "F");
    form().Check1->setChecked(true);
    form().Command2->click();
    EXPECT_FALSE(form().isVisible());

    Program next;
    Form5& again = next.optionsForms().form5.get();
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_EQ(again.List2->item(RowFreeze)->text(), "CTRL+F");
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_FALSE(next.options.defaulthotkeys);
}

}  // namespace
}  // namespace qv::options
