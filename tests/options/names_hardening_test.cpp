#include <gtest/gtest.h>

#include <QLineEdit>

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
    EXPECT_EQ(dialog.fileNamePrefixEdit->text().size(), prefix.size());
    EXPECT_EQ(dialog.pastingAppEdit->text().size(), app.size());
    EXPECT_EQ(dialog.soundFileEdit->text().size(), sound.size());
    EXPECT_EQ(dialog.editedSettings().saveFolder, folder);
}

}  // namespace
}  // namespace qv::options
