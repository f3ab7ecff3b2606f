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

}  // namespace
}  // namespace qv::options
