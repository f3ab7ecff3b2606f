#include <gtest/gtest.h>

#include "fakes/fakeprogram.h"
#include "options/hotkeyregistration.h"
#include "options/hotkeystore.h"
#include "options/hotkeytable.h"

namespace qv::options {
namespace {

constexpr auto kUser = platform::Registry::Root::CurrentUser;

class HotkeyRowsTest : public fakes::ProgramTest {
protected:
    void store(const QString& name, const QByteArray& text) {
        fake.registry().setValue(kUser, kHotkeysKey, name, QByteArray(text).append('\0'));
    }
};

TEST_F(HotkeyRowsTest, EachUnusableStoredRowGetsOneLineNamingIt) {
    const struct {
        const char* row;
        QByteArray text;
    } cases[] = {
        {"Exit", "ctrl+e"},
        {"Print...", "CTRL+1"},
        {"Save As...", "FOO+S"},
        {"DisableHotkeys", "2"},
    };
    for (const auto& c : cases) {
        for (const auto& other : cases)
            store(other.row, QByteArray(other.row) == "DisableHotkeys" ? "0" : "");
        store("Release Desktop", "CTRL+R");
        store(c.row, c.text);
        testing::internal::CaptureStderr();
        readHotkeyStore();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(std::string("\"") + c.row + "\""), std::string::npos) << err;
        EXPECT_NE(err.find(c.text.toStdString()), std::string::npos) << err;
    }
}

TEST_F(HotkeyRowsTest, ACombinationTwoRowsShareIsReportedAsSuch) {
    store("Release Desktop", "CTRL+R");
    store("Exit", "CTRL+R");
    registerHotkeys();
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const QString text = fake.dialogs().messages.back().text;
    EXPECT_TRUE(text.contains("is used by two rows")) << text.toStdString();
    EXPECT_TRUE(text.contains("Release Desktop") && text.contains("Exit")) << text.toStdString();
    EXPECT_FALSE(text.contains("another program")) << text.toStdString();
    const QMap<int, fakes::FakeHotkeys::Combination> expected{{hotkeyId(RowRelease), {2, 'R'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
}

}  // namespace
}  // namespace qv::options
