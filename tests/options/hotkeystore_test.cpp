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

class HotkeyStoreTest : public fakes::ProgramTest {
protected:
    QByteArray raw(const QString& name) {
        return fake.registry().value(kUser, kHotkeysKey, name).value_or("<none>");
    }
    void store(const QString& name, const QByteArray& data) {
        fake.registry().setValue(kUser, kHotkeysKey, name, data);
    }
    QString row(int i) { return prog.optionsForms().form5->List2->item(i)->text(); }
    static constexpr auto kUser = platform::Registry::Root::CurrentUser;
};

TEST_F(HotkeyStoreTest, FirstLoadStoresFifteenEmptyRows) {
    EXPECT_EQ(prog.optionsForms().form5->List2->count(), kHotkeyRows);
    EXPECT_TRUE(prog.options.defaulthotkeys);
    for (int i = 0; i < kHotkeyRows; ++i)
        EXPECT_EQ(raw(hotkeyRowName(i)), QByteArray(1, '\0')) << i;
    EXPECT_EQ(raw("DisableHotkeys"), QByteArray("0\0", 2));
}

TEST_F(HotkeyStoreTest, RowsReadByNameAndShortOrOverlongValuesReadEmpty) {
    store("Copy to Clipboard", QByteArray("CTRL+C\0", 7));
    store("Release Desktop", QByteArray("R\0", 2));
    store("Exit", QByteArray("ALT+X"));
    store("Options...", QByteArray(300, 'A'));
    EXPECT_EQ(row(RowCopy), "CTRL+C");
    EXPECT_EQ(row(RowRelease), "");
    EXPECT_EQ(row(RowExit), "ALT+X");
    EXPECT_EQ(row(RowOptions), "");
    EXPECT_EQ(row(RowFreeze), "");
    EXPECT_FALSE(prog.options.defaulthotkeys);

    QStringList rows(kHotkeyRows);
    rows[RowPrint] = QString(99, QLatin1Char('x'));
    rows[RowSaveAs] = QString(100, QLatin1Char('y'));
    writeHotkeyStore(rows, 1);
    EXPECT_EQ(raw("Print..."), QByteArray(99, 'x') + QByteArray(1, '\0'));
    EXPECT_EQ(raw("Save As..."), QByteArray("y"));
    EXPECT_EQ(readHotkeyStore().rows[RowSaveAs], "");
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
    EXPECT_TRUE(prog.optionsForms().form5->Check1->isChecked());
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_EQ(recorder.caption(MenuItem::mnuFreeze), "Freeze Desktop");
}

}  // namespace
}  // namespace qv::options
