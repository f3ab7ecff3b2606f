#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "fakes/fakeprogram.h"
#include "options/hotkeydispatcher.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeyregistration.h"
#include "options/hotkeystore.h"
#include "options/hotkeytable.h"
#include "options/windows.h"

namespace qv::options {
namespace {

using Combination = fakes::FakeHotkeys::Combination;
constexpr auto kUser = platform::Registry::Root::CurrentUser;

QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

class HotkeysTest : public fakes::ProgramTest {
protected:
    HotkeysDialog& dialog() { return prog.optionsWindows().hotkeysDialog.get(); }
    // Chooses a row name (none for -1) and a combination and presses Set Hotkey.
    void set(int row, const QString& modifier, const QString& key) {
        dialog().rowList->clearSelection();
        if (row >= 0)
            dialog().rowList->setCurrentRow(row);
        dialog().modifierCombo->setCurrentText(modifier);
        dialog().keyCombo->setCurrentText(key);
        dialog().setHotkeyButton->click();
    }
    QString rowText(int row) { return dialog().hotkeyList->item(row)->text(); }
    QByteArray raw(const QString& name) {
        return fake.registry().value(kUser, kHotkeysKey, name).value_or("<none>");
    }
    void store(const QString& name, const QByteArray& data) {
        fake.registry().setValue(kUser, kHotkeysKey, name, data);
    }
    const fakes::FakeDialogs::Shown& lastMessage() { return fake.dialogs().messages.back(); }
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
        recorder.frozenShown = prog.captureState.freeze.desktopFrozen = frozen;
        prog.captureState.freeze.captureAvailable = capture;
    }

    HotkeyRecorder recorder;
    HotkeyDispatcher dispatcher{recorder};
};

TEST(HotkeyTable, CaptionsWithAndWithoutTheHotkey) {
    const CaptionInputs off{"Paint", false};
    const CaptionInputs on{"Paint", true};
    const struct {
        int row;
        QString hotkey;
        CaptionInputs inputs;
        std::optional<QString> withHotkey;
        std::optional<QString> without;
    } cases[] = {
        {RowPastingApp, "CTRL+ALT+P", off, "Start Default Application( Paint )   CTRL+ALT+P",
         "Start Default Application( Paint )"},
        {RowCopy, "CTRL+C", off, "Copy to Clipboard   CTRL+C", "Copy to Clipboard"},
        {RowCopy, "CTRL+C", on, "Copy to Clipboard( Autocopy Enabled )    CTRL+C",
         "Copy to Clipboard( Autocopy Enabled ) "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(menuCaption(c.row, c.hotkey, c.inputs), c.withHotkey) << c.row;
        EXPECT_EQ(menuCaptionWithoutHotkey(c.row, c.inputs), c.without) << c.row;
    }
}

TEST_F(HotkeysTest, FirstLoadStoresTheTwoDefaultRowsAndLeavesTheOthersEmpty) {
    dialog();
    for (int i = 0; i < kHotkeyRows; ++i) {
        const char* stored = i == RowRelease ? "CTRL+R" : i == RowFreeze ? "CTRL+F" : "";
        EXPECT_EQ(raw(hotkeyRowName(i)), withNul(stored)) << i;
        EXPECT_EQ(rowText(i), stored) << i;
    }
    EXPECT_EQ(raw("DisableHotkeys"), withNul("0"));
}

TEST_F(HotkeysTest, RowsReadByNameAndDamagedValuesReadEmpty) {
    store("Copy to Clipboard", withNul("CTRL+C"));
    store("Release Desktop", withNul("R"));
    store("Exit", "ALT+X");
    store("Options...", QByteArray(300, 'A'));
    EXPECT_EQ(rowText(RowCopy), "CTRL+C");
    EXPECT_EQ(rowText(RowRelease), "");
    EXPECT_EQ(rowText(RowExit), "ALT+X");
    EXPECT_EQ(rowText(RowOptions), "");

    QStringList rows(kHotkeyRows);
    rows[RowPrint] = QString(99, QLatin1Char('x'));
    rows[RowSaveAs] = QString(100, QLatin1Char('y'));
    writeHotkeyStore(rows, true);
    EXPECT_EQ(raw("Print..."), QByteArray(99, 'x') + QByteArray(1, '\0'));
    EXPECT_EQ(raw("Save As..."), QByteArray("y"));
    EXPECT_EQ(readHotkeyStore().rows[RowSaveAs], "");

    // The disable flag is read only from "0" or "1" with their NUL.
    const struct {
        QByteArray stored;
        std::optional<bool> disabled;
    } cases[] = {
        {withNul("1"), true}, {withNul("0"), false}, {"1", {}}, {withNul("2"), {}}, {"", {}},
    };
    for (const auto& c : cases) {
        store("DisableHotkeys", c.stored);
        EXPECT_EQ(readHotkeyStore().disabled, c.disabled) << c.stored.toHex().constData();
    }
}

TEST_F(HotkeysTest, AFailingRowGetsItsMessageAndLaterRowsStillRegister) {
    store("Release Desktop", withNul("CTRL+R"));
    store("Freeze Desktop", withNul("CTRL+F"));
    store("Save As...", withNul("CTRL+SHIFT+S"));
    store(hotkeyRowName(RowContextMenu), withNul("ALT+M"));
    store("Print...", withNul("CTRL+p"));  // not a combination the table offers
    fake.hotkeys().heldElsewhere.push_back({2, 'F'});

    registerHotkeys();

    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(lastMessage().text,
              "Error: 1409 Registering Hotkey:   Freeze Desktop   CTRL+F\rFailed ! Hotkey "
              "already used by another program ? \r\rQuorvalline  will keep running but the "
              "hotkey will not be available !");
    EXPECT_EQ(lastMessage().title, " Quorvalline ");
    const QMap<int, Combination> expected{
        {0xB001, {2, 'R'}}, {0xB008, {6, 'S'}}, {0xB00F, {1, 'M'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
    EXPECT_EQ(recorder.caption(MenuItem::Freeze), "untouched");
    EXPECT_EQ(recorder.caption(MenuItem::ContextRelease), "Release Desktop   CTRL+R");
}

// Their captions depend on the Options window, which a start-up registration must not load.
TEST_F(HotkeysTest, PastingAppAndCopyCaptionsWaitForTheOptionsWindow) {
    store("Copy to Clipboard", withNul("CTRL+C"));
    registerHotkeys();
    EXPECT_EQ(recorder.caption(MenuItem::CopyToClipboard), "untouched");
    releaseHotkeys();
    prog.optionsWindows().optionsDialog.get();  // its load turns autocopy on, as on a first run
    registerHotkeys();
    EXPECT_EQ(recorder.caption(MenuItem::CopyToClipboard),
              "Copy to Clipboard( Autocopy Enabled )    CTRL+C");
}

TEST_F(HotkeysTest, SetRegistersTheRowInPlaceOfItsOldCombinationAndRefusalsChangeNothing) {
    set(RowRelease, "CTRL+SHIFT+", "R");
    EXPECT_EQ(recorder.caption(MenuItem::ContextRelease), "Release Desktop   CTRL+SHIFT+R");
    set(RowRelease, "ALT+", "R");
    set(RowExit, "CTRL+SHIFT+", "R");
    set(RowCopy, "CTRL+", "C");
    const QMap<int, Combination> expected{
        {0xB001, {1, 'R'}}, {0xB006, {6, 'R'}}, {0xB00D, {2, 'C'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected) << "the old combination is free";
    EXPECT_TRUE(fake.dialogs().messages.empty());

    for (int row : {-1, int{RowCopy}}) {
        set(row, "CTRL+", "C");
        EXPECT_EQ(lastMessage().text, "Hotkey Already exists !") << row;
    }
    EXPECT_EQ(lastMessage().title, " Quorvalline ");
    set(-1, "ALT+", "Q");
    EXPECT_EQ(lastMessage().text, "Please Select a Menu Item to Assign the Hothey !");
    fake.hotkeys().heldElsewhere.push_back({4, 'C'});
    set(RowCopy, "SHIFT+", "C");
    EXPECT_EQ(lastMessage().text,
              "Error: 1409 Registering Hotkey  Copy to Clipboard  SHIFT+C  "
              "Failed !\rHotkey already used by another program ?");
    EXPECT_EQ(fake.dialogs().messages.size(), 4u);
    EXPECT_EQ(rowText(RowCopy), "CTRL+C");
    EXPECT_EQ(fake.hotkeys().registered, expected);
}

TEST_F(HotkeysTest, RemoveIsOfferedForASelectedNonEmptyRowAndReleasesIt) {
    dialog().show();
    registerHotkeys();  // the first-run rows, as a later start grabs them
    ASSERT_TRUE(fake.hotkeys().registered.contains(0xB002));
    dialog().hotkeyList->setCurrentRow(RowOptions);
    fake.clock().advance(100);
    EXPECT_FALSE(dialog().removeHotkeyButton->isEnabled()) << "empty rows offer nothing to remove";

    dialog().hotkeyList->setCurrentRow(RowFreeze);
    fake.clock().advance(100);
    dialog().removeHotkeyButton->click();
    EXPECT_FALSE(fake.hotkeys().registered.contains(0xB002));
    EXPECT_EQ(rowText(RowFreeze), "");
    EXPECT_EQ(recorder.caption(MenuItem::Freeze), "Freeze Desktop   ");

    // The row below has a hotkey too: the selection does not move on to it, so a second
    // click cannot remove a hotkey nobody selected.
    dialog().hotkeyList->setCurrentRow(RowRelease);
    set(RowFreeze, "CTRL+", "F");
    fake.clock().advance(100);
    dialog().removeHotkeyButton->click();
    EXPECT_EQ(rowText(RowRelease), "");
    EXPECT_TRUE(dialog().hotkeyList->selectedItems().isEmpty());
    EXPECT_FALSE(dialog().removeHotkeyButton->isEnabled()) << "at once";
    fake.clock().advance(100);
    EXPECT_FALSE(dialog().removeHotkeyButton->isEnabled());
    dialog().removeHotkeyButton->click();
    EXPECT_EQ(rowText(RowFreeze), "CTRL+F");
    EXPECT_TRUE(fake.hotkeys().registered.contains(0xB002));
}

TEST_F(HotkeysTest, SetKeepsTheHotkeySelectionWhereTheUserLeftIt) {
    store("Capture Entire Screen", withNul("CTRL+A"));
    store("Options...", withNul("CTRL+B"));
    dialog().show();
    QListWidget* list = dialog().hotkeyList;
    auto click = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    const struct {
        const char* selection;
        std::function<void()> prepare;
        int selectedAfter;  // -1: none
    } cases[] = {
        {"never any", [] {}, -1},
        {"the emptied row clicked after Remove",
         [&] {
             click(RowEntireScreen);
             fake.clock().advance(100);
             dialog().removeHotkeyButton->click();
             click(RowEntireScreen);
         },
         -1},
        {"the replaced row", [&] { click(RowEntireScreen); }, -1},
        {"another row", [&] { click(RowOptions); }, RowOptions},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selection);
        c.prepare();
        set(RowEntireScreen, "CTRL+", "C");
        ASSERT_EQ(rowText(RowEntireScreen), "CTRL+C");
        fake.clock().advance(100);
        const QList<QListWidgetItem*> selected = list->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? -1 : list->row(selected.first()), c.selectedAfter);
        EXPECT_EQ(dialog().removeHotkeyButton->isEnabled(), c.selectedAfter >= 0);
        dialog().removeHotkeyButton->click();
        EXPECT_EQ(rowText(RowOptions), QString(c.selectedAfter == RowOptions ? "" : "CTRL+B"))
            << "Remove takes only the row the user chose";
        dialog().readHotkeys();  // the stored table again, nothing selected
    }
}

TEST_F(HotkeysTest, DisableReleasesEverythingSetOnlyRecordsMeanwhileAndCloseStoresIt) {
    registerHotkeys();  // the first-run rows
    dialog().disableHotkeysBox->setChecked(true);
    EXPECT_TRUE(prog.options.hotkeysDisabled);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    dialog().disableHotkeysBox->setChecked(false);
    EXPECT_TRUE(prog.options.hotkeysDisabled) << "unchecking a hidden window does nothing";

    dialog().show();
    dialog().disableHotkeysBox->setChecked(true);
    set(RowExit, "ALT+", "X");
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    fake.hotkeys().registerHotkey(0xB001, 2, 'R');  // the start-up default
    dialog().disableHotkeysBox->setChecked(false);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    const QMap<int, Combination> expected{
        {0xB001, {2, 'R'}}, {0xB002, {2, 'F'}}, {0xB006, {1, 'X'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
    EXPECT_EQ(recorder.caption(MenuItem::Exit), "Exit   ALT+X");

    dialog().disableHotkeysBox->setChecked(true);
    fake.registry().writes = 0;
    dialog().closeButton->click();
    EXPECT_EQ(fake.registry().writes, 1);
    EXPECT_EQ(raw("DisableHotkeys"), withNul("1"));
    EXPECT_EQ(raw("Exit"), withNul("ALT+X"));
}

TEST_F(HotkeysTest, DispatchTable) {
    const QString mark3 = "[Please Mark an Area for Capturing !   ]@ Quorvalline ";
    const QString mark2 = "[Please Mark an Area for Capturing !  ]@ Quorvalline ";
    const QString low = "[please Mark an Area for Capturing]@ Quorvalline ";
    const QString frozenOnly = "[Only available if screen is frozen !]@Quorvalline";
    const QString refreeze = "releaseDesktop,freezeDesktop";
    struct Row {
        int id;
        QString outcome[4];  // unfrozen without/with capture, frozen without/with capture
    };
    const Row table[] = {
        {0xB001, {"releaseDesktop", "releaseDesktop", "releaseDesktop", "releaseDesktop"}},
        {0xB002, {"freezeDesktop", "freezeDesktop", refreeze, refreeze}},
        {0xB003, {"captureActiveWindow", "captureActiveWindow", "", ""}},
        {0xB004, {"captureEntireScreen", "captureEntireScreen", "", ""}},
        {0xB005, {"showOptions", "showOptions", "showOptions", "showOptions"}},
        {0xB006, {"exitProgram", "exitProgram", "exitProgram", "exitProgram"}},
        {0xB007, {mark3, mark3, mark3, "saveToDefaultFolder"}},
        {0xB008, {mark2, mark2, mark2, "saveAs"}},
        {0xB009, {mark2, mark2, mark2, "printToDefaultPrinter"}},
        {0xB00A, {mark2, mark2, mark2, "printCapture"}},
        {0xB00B, {frozenOnly, frozenOnly, "showPageSetup", "showPageSetup"}},
        {0xB00C, {mark2, mark2, mark2, "startPastingApplication"}},
        {0xB00D, {low, "copyToClipboard", low, "copyToClipboard"}},
        {0xB00E, {low, "sendByEmail", low, "sendByEmail"}},
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

TEST_F(HotkeysTest, FreezeOnAFrozenScreenPausesHalfASecondBetweenReleaseAndFreeze) {
    setScreen(true, true);
    press(0xB002);
    ASSERT_EQ(recorder.times.size(), 2u);
    EXPECT_EQ(recorder.times[1] - recorder.times[0], 500);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{500});
}

TEST_F(HotkeysTest, ContextMenuHotkeySetsTheItemsByTheFrozenStateAndLeavesAWayOut) {
    QAction* paste = recorder.menuItem(MenuItem::Paste);
    QAction* release = recorder.menuItem(MenuItem::ContextRelease);
    for (bool frozen : {false, true}) {
        setScreen(frozen, false);
        prog.captureState.freeze.dialogOpen = true;
        paste->setEnabled(true);  // as the clipboard check left it
        release->setEnabled(!frozen);
        QString shown;
        recorder.whileMenuUp = [&] {
            shown = QStringLiteral("fromHotkey=%1 paste=%2 release=%3")
                        .arg(prog.captureState.contextMenuFromHotkey)
                        .arg(paste->isEnabled())
                        .arg(release->isEnabled());
        };
        EXPECT_EQ(press(0xB00F), "updateClipboardMenus,popUpContextMenu");
        EXPECT_EQ(shown, QStringLiteral("fromHotkey=1 paste=%1 release=%1").arg(frozen));
        EXPECT_FALSE(prog.captureState.contextMenuFromHotkey ||
                     prog.captureState.freeze.dialogOpen);
        // The desktop may be frozen from the menu or later: Release Desktop must be there.
        EXPECT_TRUE(release->isEnabled());
    }
}

}  // namespace
}  // namespace qv::options
