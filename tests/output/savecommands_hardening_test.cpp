#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "options/registrystore.h"
#include "shell/capture_fixture.h"
#include "support/inprocessconverter.h"

namespace qv::output {
namespace {

class StoredPrefixSaveTest : public shell::capturetests::CaptureTest {};

// The prefix comes from an edited settings file, read by the Options load at start-up.
TEST_F(StoredPrefixSaveTest, APrefixLeadingOutOfTheFolderSavesInsideItUnderTheFirstRunPrefix) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("shots"));
    QDir().mkpath(folder);
    const auto store = [&](const char* name, const QByteArray& text) {
        fake.registry().setValue(platform::Registry::Root::CurrentUser,
                                 options::kProgramKey + QStringLiteral("\\Save"), name,
                                 QByteArray(text).append('\0'));
    };
    store("SaveDir", folder.toUtf8());
    store("SaveName", "../escaped_");
    store("PrompOrIncrement", "1");
    testsupport::runConverterInProcess(fake.process());
    testing::internal::CaptureStderr();
    ASSERT_EQ(settings().saveFolder, folder);
    testing::internal::GetCapturedStderr();
    // The start names the refused prefix once; the save itself says nothing.
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs().lastText().contains("\"../escaped_\"")) << fake.dialogs().lastText();
    fake.dialogs().messages.clear();
    freeze();
    session().buffer = shell::capturetests::patternScreen(29, 17);
    captureState().freeze.captureAvailable = true;

    mainWindow().saveToDefaultFolderItem->trigger();

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"shots"});
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Quorvalline_.bmp"});
    EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();
}

}  // namespace
}  // namespace qv::output
