#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qv::options
