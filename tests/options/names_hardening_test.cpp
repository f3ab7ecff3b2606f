#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "fakes/fakeprogram.h"
#include "options/filenamerule.h"
#include "options/registrystore.h"
#include "options/settingsstore.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace qv::options {
namespace {

using Root = platform::Registry::Root;

TEST(FileNameRuleHardening, ControlCharactersAndDotNamesAreForbidden) {
    const struct {
        QString name;
        FileNameProblem problem;
    } cases[] = {
        {"Shot\n", FileNameProblem::ForbiddenCharacter},  // a pasted line break
        {"a\tb", FileNameProblem::ForbiddenCharacter},
        {QStringLiteral("a") + QChar(0x7f), FileNameProblem::ForbiddenCharacter},
        {".", FileNameProblem::ForbiddenCharacter},
        {"..", FileNameProblem::ForbiddenCharacter},
        {"...", FileNameProblem::None},
        {".hidden", FileNameProblem::None},
        {"a..b", FileNameProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkFileName(c.name), c.problem) << c.name.toStdString();
}

class StoredValuesTest : public fakes::ProgramTest {
protected:
    void store(const char* sub, const char* name, const QString& text) {
        fake.registry().setValue(Root::CurrentUser, kProgramKey + "\\" + sub, name,
                                 text.toUtf8().append('\0'));
    }
};

TEST_F(StoredValuesTest, AStoredPrefixThatIsNoFileNameIsReplacedAndReported) {
    const struct {
        QString stored;
        QString used;
        bool reported;
    } cases[] = {
        {"../escaped_", "Quorvalline_", true},
        {"Shot\n", "Quorvalline_", true},
        {"..", "Quorvalline_", true},
        {"Shot_", "Shot_", false},
    };
    for (const auto& c : cases) {
        store("Save", "SaveName", c.stored);
        store("Save", "PrompOrIncrement", "1");
        testing::internal::CaptureStderr();
        const Settings loaded = SettingsStore().load();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded.fileNamePrefix, c.used) << c.stored.toStdString();
        if (c.reported) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
            EXPECT_NE(err.find("file name prefix"), std::string::npos) << err;
        } else {
            EXPECT_EQ(err, "");
        }
    }
}

TEST_F(StoredValuesTest, LongStoredValuesComeBackWholeThroughTheOptionsWindow) {
    const QString folder = "/tmp/" + QString(40000, u'd');
    const QString prefix = QString(33000, u'p');
    const QString app = "/usr/bin/" + QString(35000, u'a');
    const QString sound = "/tmp/" + QString(36000, u's') + ".wav";
    store("Save", "SaveDir", folder);
    store("Save", "SaveName", prefix);
    store("Apps", "AppPath", app);
    store("Auto", "SoundPath", sound);
    prog.shellWindows().mainWindow.get();
    OptionsDialog& dialog = prog.optionsWindows().optionsDialog.get();
    dialog.show();
    EXPECT_EQ(dialog.saveFolderEdit->text().size(), folder.size());
    // No prefix that long can make a file name: it gives way to the default (below).
    EXPECT_EQ(dialog.fileNamePrefixEdit->text(), "Quorvalline_");
    EXPECT_EQ(dialog.pastingAppEdit->text().size(), app.size());
    EXPECT_EQ(dialog.soundFileEdit->text().size(), sound.size());
    EXPECT_EQ(dialog.editedSettings().saveFolder, folder);
}

// A prefix written into the settings by hand or by another copy is held to the rule of the
// Options window, which counts the longest number and extension a numbered name gets (248
// bytes are left of 255). One that cannot make a file name is told once, through the start,
// the closing of the Options window and an Apply, and the default is in force instead.
TEST(StoredPrefixLength, APrefixTooLongForNumberedNamesIsToldOnceAndNotUsed) {
    const QString e(QChar(0xe9));  // two bytes in UTF-8
    const struct {
        QString stored;
        bool used;
    } cases[] = {
        {e.repeated(124), true},                         // 248 bytes
        {e.repeated(124) + QStringLiteral("a"), false},  // 249
        {e.repeated(126), false},                        // 252
        {e.repeated(126) + QStringLiteral("a"), false},  // 253
        {e.repeated(128), false},                        // 256
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toUtf8().size());
        fakes::FakePlatform fake;
        Program prog;
        const QString save = kProgramKey + QStringLiteral("\\Save");
        fake.registry().setValue(Root::CurrentUser, save, QStringLiteral("SaveName"),
                                 c.stored.toUtf8().append('\0'));
        fake.registry().setValue(Root::CurrentUser, save, QStringLiteral("PrompOrIncrement"),
                                 QByteArray("1\0", 2));
        testing::internal::CaptureStderr();
        prog.shellWindows().mainWindow.get();
        OptionsDialog& dialog = prog.optionsWindows().optionsDialog.get();
        dialog.show();
        dialog.close();
        dialog.show();
        dialog.applyButton->click();
        const std::string err = testing::internal::GetCapturedStderr();

        const QString inForce = c.used ? c.stored : QStringLiteral("Quorvalline_");
        EXPECT_EQ(prog.options.settings.fileNamePrefix, inForce);
        EXPECT_EQ(dialog.fileNamePrefixEdit->text(), inForce);
        if (c.used) {
            EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText().toStdString();
            continue;
        }
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        const QString told = fake.dialogs().lastText();
        EXPECT_TRUE(told.contains(c.stored)) << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("at most 248 bytes"))) << told.toStdString();
        const std::string line = "the stored file name prefix";
        EXPECT_NE(err.find(line), std::string::npos) << err;
        EXPECT_EQ(err.find(line), err.rfind(line)) << err;
    }
}

}  // namespace
}  // namespace qv::options
