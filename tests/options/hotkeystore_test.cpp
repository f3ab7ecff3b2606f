#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "options/hotkeypump.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeystore.h"
#include "options/hotkeytable.h"

namespace qv::options {
namespace {

using Root = platform::Registry::Root;

class HotkeyStoreTest : public fakes::ProgramTest {
protected:
    QByteArray raw(const QString& name) {
        return fake.registry().value(Root::CurrentUser, kHotkeysKey, name).value_or("<none>");
    }
    void store(const QString& name, const QByteArray& data) {
        fake.registry().setValue(Root::CurrentUser, kHotkeysKey, name, data);
    }
    Form5& form5() { return prog.optionsForms().form5.get(); }
};

TEST_F(HotkeyStoreTest, FirstLoadStoresFifteenEmptyRows) {
    EXPECT_EQ(form5().List2->count(), kHotkeyRows);
    EXPECT_TRUE(prog.options.defaulthotkeys);
    for (int row = 0; row < kHotkeyRows; ++row) {
        EXPECT_EQ(form5().List2->item(row)->text(), "");
        EXPECT_EQ(raw(hotkeyRowName(row)), QByteArray(1, '\0')) << row;
    }
    EXPECT_EQ(raw("DisableHotkeys"), QByteArray("0\0", 2));
    EXPECT_FALSE(form5().Check1->isChecked());
}

TEST_F(HotkeyStoreTest, StoredRowsKeepTheirIndexAndShortValuesReadEmpty) {
    store("Copy to Clipboard", QByteArray("CTRL+C\0", 7));
    store("Release Desktop", QByteArray("R\0", 2));
    store("Exit", QByteArray("ALT+X", 5));  // stored without its NUL: still whole
    store("Options...", QByteArray(300, 'A'));
    store("DisableHotkeys", QByteArray("0\0", 2));
    EXPECT_EQ(form5().List2->item(RowCopy)->text(), "CTRL+C");
    EXPECT_FALSE(prog.options.defaulthotkeys);
    EXPECT_EQ(form5().List2->item(RowRelease)->text(), "");
    EXPECT_EQ(form5().List2->item(RowExit)->text(), "ALT+X");
    EXPECT_EQ(form5().List2->item(RowOptions)->text(), "");
    EXPECT_EQ(form5().List2->item(RowFreeze)->text(), "") << "a missing value";
}

TEST_F(HotkeyStoreTest, OverlongRowsAreStoredAsTheirFirstCharacterAndReadBackEmpty) {
    QStringList rows(kHotkeyRows);
    rows[RowPrint] = QString(99, QLatin1Char('x'));
    rows[RowSaveAs] = QString(100, QLatin1Char('y'));
    writeHotkeyStore(rows, 1);
    EXPECT_EQ(raw("Print..."), QByteArray(99, 'x') + QByteArray(1, '\0'));
    EXPECT_EQ(raw("Save As..."), QByteArray("y"));
    EXPECT_EQ(raw("DisableHotkeys"), QByteArray("1\0", 2));
    const StoredHotkeys back = readHotkeyStore();
    EXPECT_EQ(back.rows[RowPrint].size(), 99);
    EXPECT_EQ(back.rows[RowSaveAs], "");
    EXPECT_EQ(back.disabled, true);
}

TEST_F(HotkeyStoreTest, DisableFlagReadsOnlyFromZeroOrOneWithTheirNul) {
    const struct {
        QByteArray stored;
        std::optional<bool> disabled;
    } cases[] = {
        {QByteArray("1\0", 2), true}, {QByteArray("0\0", 2), false},
        {QByteArray("1"), {}},        {QByteArray("2\0", 2), {}},
        {QByteArray(), {}},
    };
    for (const auto& c : cases) {
        store("DisableHotkeys", c.stored);
        EXPECT_EQ(readHotkeyStore().disabled, c.disabled) << c.stored.toHex().constData();
    }
}

TEST_F(HotkeyStoreTest, StoredDisableSwitchesHotkeysOffDuringTheLoad) {
    HotkeyRecorder recorder;
    HotkeyPump pump(recorder);
    fake.hotkeys().registerHotkey(0xB002, 2, 'F');
    store("Freeze Desktop", QByteArray("CTRL+F\0", 7));
    store("DisableHotkeys", QByteArray("1\0", 2));
    EXPECT_TRUE(form5().Check1->isChecked());
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop");
    EXPECT_EQ(recorder.caption(MenuItem::mnuContextRelease), "Release Desktop");
}

}  // namespace
}  // namespace qv::options
