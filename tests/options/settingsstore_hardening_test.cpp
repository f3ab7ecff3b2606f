#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/fakeplatform.h"
#include "options/settingsstore.h"
#include "platform/linux/fileregistry.h"

namespace qv::options {
namespace {

// Settings that cannot be stored (here a file stands where their folder should be) are shown
// once, not with a box for every value saved.
TEST(SettingsStoreHardeningTest, SettingsThatCannotBeStoredAreShownOnce) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    fakes::FakePlatform fake;
    fake.services().registry =
        std::make_unique<platform::FileRegistry>(blocker.fileName() + "/quorvalline/registry");
    SettingsStore::reportStoreFailures();

    SettingsStore().save(Settings{});
    EXPECT_FALSE(fake.dialogs().messages.empty());
    SettingsStore().save(Settings{});
    SettingsStore::writeStartAtLogin(false);
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const auto& shown = fake.dialogs().messages.front();
    EXPECT_TRUE(shown.text.contains(blocker.fileName())) << shown.text.toStdString();
    EXPECT_EQ(shown.icon, platform::MsgIcon::Exclamation);
}

// A settings file that cannot be read at start-up (here a folder in its place) is read before
// the program can show anything; the box comes once it can, and only once.
TEST(SettingsStoreHardeningTest, AnUnreadableFileAtStartIsShownOnce) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("registry"));
    ASSERT_TRUE(QDir().mkpath(file));
    fakes::FakePlatform fake;
    fake.services().registry = std::make_unique<platform::FileRegistry>(file);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    SettingsStore::reportStoreFailures();

    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const auto& shown = fake.dialogs().messages.front();
    EXPECT_TRUE(shown.text.contains(QStringLiteral("cannot read settings file ") + file))
        << shown.text.toStdString();
    EXPECT_EQ(shown.icon, platform::MsgIcon::Exclamation);
    SettingsStore().save(Settings{});
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
}

// What could not be read from the settings file at start-up (a line, or the whole file) is
// shown in one box once the program can show one, saying where the file as it was is kept.
TEST(SettingsStoreHardeningTest, SettingsThatCouldNotBeReadAreShownOnceWithTheCopy) {
    const struct {
        QByteArray text;
        const char* told;
    } cases[] = {
        {"[HKEY_CURRENT_USER\\Software\\Quorvalline\\Save]\n\"SaveName\"=\"Shot_\\0\" x\n"
         "\"ImgFormat\"=\".jpg\"\n",
         "line 2 of settings file "},
        {QByteArray("\xff\xfe[\0H\0", 6), "is damaged (it is not a text file); it was moved to "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("registry"));
        QFile stored(file);
        ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
        stored.write(c.text);
        stored.close();
        fakes::FakePlatform fake;
        fake.services().registry = std::make_unique<platform::FileRegistry>(file);
        EXPECT_TRUE(fake.dialogs().messages.empty());
        SettingsStore::reportStoreFailures();
        SettingsStore().save(SettingsStore().load());

        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        const auto& shown = fake.dialogs().messages.front();
        EXPECT_TRUE(shown.text.startsWith("Quorvalline could not read all of its settings: "))
            << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(QLatin1String(c.told))) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(file + ".damaged")) << shown.text.toStdString();
        EXPECT_EQ(shown.icon, platform::MsgIcon::Exclamation);
    }
}

}  // namespace
}  // namespace qv::options
