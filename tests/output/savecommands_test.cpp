// The three saving roads from the frozen screen, with the converter run in-process.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "output/savecommands.h"
#include "output/saving_fixture.h"
#include "output/windows.h"

namespace qv::output {
namespace {

using platform::MsgAnswer;
using platform::ProcessResult;
using Status = ProcessResult::Status;

using savingtests::kOverwrite;

class SaveCommandsTest : public savingtests::SavingTest {
protected:
    SaveCommandsTest() : SavingTest(QStringLiteral("my shots")) {
        settings().fileNamePrefix = QStringLiteral("Shot_");
    }

    SaveDialog& dialog() { return prog.outputWindows().saveDialog.get(); }
    void typeInDialog(const QString& name, const QString& extension) {
        dialog().fileNameEdit->setText(name);
        dialog().formatCombo->setCurrentText(extension);
    }
    void saveAs(const QString& typed, int filter) {
        fake.dialogs().paths = {path(typed)};
        // Qt's dialog hands filters back with single blanks.
        fake.dialogs().filters = {saveFormats()[filter].qtFilter().simplified()};
        mainWindow().saveAsItem->trigger();
    }
    bool frozenScreenKept() {
        return captureState().freeze.desktopFrozen && shellWindows().frozenScreen.peek() &&
               frozenScreen().isVisible();
    }
    // One message box starting with text, then forgotten.
    void expectOneMessage(const QString& text) {
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_TRUE(fake.dialogs().messages[0].text.startsWith(text)) << fake.dialogs().lastText();
        fake.dialogs().messages.clear();
    }
    void expectOneError(int number) { expectOneMessage(QStringLiteral("Error: %1  ").arg(number)); }
};

TEST_F(SaveCommandsTest, DefaultFolderTakesTheNextNumberedNameInEachFormat) {
    settings().naming = options::SaveNaming::Increment;
    for (options::ImageFormat format : options::kImageFormats) {
        settings().format = format;
        mainWindow().saveToDefaultFolderItem->trigger();
        expectCaptureAt(path(QStringLiteral("Shot_") + options::extensionOf(format)));
    }
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_EQ(fake.clock().sleeps.back(), 500);
    EXPECT_TRUE(frozenScreenKept());

    settings().releaseAfterCapture = true;
    mainWindow().saveToDefaultFolderItem->trigger();
    expectCaptureAt(path("Shot_0.tif"));
    EXPECT_EQ(filesInFolder().size(), 5);
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
    EXPECT_FALSE(shellWindows().frozenScreen.exists())
        << "no hidden frozen screen built after the release";
}

TEST_F(SaveCommandsTest, DefaultFolderFailuresAreReportedWriteNothingAndKeepTheCapture) {
    const std::pair<std::function<void()>, int> cases[] = {
        {[this] { settings().saveFolder.clear(); }, errornumber::PathNotFound},
        {[this] { settings().saveFolder = path("gone"); }, errornumber::PathNotFound},
        {[this] {
             writeOld("Shot_.png");
             for (int n = 0; n < 999; ++n)
                 writeOld(QStringLiteral("Shot_%1.png").arg(n));
         },
         errornumber::NoFreeName},
    };
    settings().releaseAfterCapture = true;
    settings().naming = options::SaveNaming::Increment;
    settings().format = options::ImageFormat::Png;
    for (const auto& [arrange, number] : cases) {
        SCOPED_TRACE(number);
        arrange();
        const QStringList arranged = filesInFolder();
        mainWindow().saveToDefaultFolderItem->trigger();
        expectOneError(number);
        EXPECT_EQ(filesInFolder(), arranged);
        EXPECT_TRUE(captureState().freeze.desktopFrozen);
        EXPECT_EQ(session().buffer, capture_);
        settings().saveFolder = folder_;
    }
}

TEST_F(SaveCommandsTest, DialogStaysOpenUntilSomethingWasSaved) {
    const std::pair<QString, QString> cases[] = {
        {"", "Invalid Filename"},
        {"a:b", "Not allowed characters in Filename :"},
        {QString(252, u'a'), "Filename too long :   at most 251 bytes (255 with extension)"},
        {"taken", kOverwrite},  // answered No
        {"x", "Error: 53  "},   // no converter
    };
    settings().releaseAfterCapture = true;
    writeOld("taken.png");
    writeOld("taken.bmp");
    settings().naming = options::SaveNaming::Prompt;
    mainWindow().saveToDefaultFolderItem->trigger();
    fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
        return ProcessResult{Status::FailedToStart, -1, {}};
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name.toStdString());
        typeInDialog(name, ".png");
        fake.dialogs().answers = {MsgAnswer::No};
        dialog().okButton->click();
        expectOneMessage(text);
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_TRUE(captureState().freeze.dialogOpen);
        EXPECT_TRUE(captureState().freeze.desktopFrozen);
    }
    EXPECT_EQ(QFileInfo(path("taken.png")).size(), 3);
    EXPECT_NE(dialog().cursor().shape(), Qt::BitmapCursor) << "saving pointer left on";

    settings().releaseAfterCapture = false;
    typeInDialog(QStringLiteral("taken"), ".bmp");
    fake.dialogs().answers = {MsgAnswer::Yes};
    dialog().okButton->click();
    expectOneMessage(kOverwrite);
    expectCaptureAt(path("taken.bmp"));
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    EXPECT_TRUE(frozenScreenKept());
    // The name and format of the last use come back.
    dialog().showOverFrozenScreen();
    EXPECT_EQ(dialog().fileNameEdit->text(), "taken");
    EXPECT_EQ(dialog().formatCombo->currentText(), ".bmp");
}

// OK is the default button: Return or Enter in either box presses it, once.
TEST_F(SaveCommandsTest, ReturnInTheNameBoxOrTheFormatListPressesOK) {
    settings().releaseAfterCapture = false;
    settings().naming = options::SaveNaming::Prompt;
    const struct {
        bool inList;
        Qt::Key key;
    } presses[] = {{true, Qt::Key_Return}, {true, Qt::Key_Enter}, {false, Qt::Key_Return}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.inList ? "format list" : "name box");
        writeOld("pressed.bmp");
        mainWindow().saveToDefaultFolderItem->trigger();
        typeInDialog(QStringLiteral("pressed"), ".bmp");
        fake.dialogs().answers = {MsgAnswer::Yes};
        QWidget* box =
            press.inList ? static_cast<QWidget*>(dialog().formatCombo) : dialog().fileNameEdit;
        QTest::keyClick(box, press.key);
        expectOneMessage(kOverwrite);
        expectCaptureAt(path("pressed.bmp"));
        EXPECT_FALSE(dialog().isVisible());
    }
}

TEST_F(SaveCommandsTest, SaveAsReplacesTheTypedExtensionByTheChosenFormat) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"shot.jpg", 0, "shot.bmp"},
        {"shot", 1, "shot.png"},
        {"my.shot.bmp", 2, "my.shot.jpg"},
    };
    for (auto [typed, filter, written] : cases) {
        saveAs(typed, filter);
        expectCaptureAt(path(written));
    }
    EXPECT_EQ(filesInFolder().size(), 3);
    EXPECT_EQ(fake.dialogs().fileRequests.back().directory, folder_);
    EXPECT_TRUE(frozenScreenKept());
}

TEST_F(SaveCommandsTest, SaveAsAsksAboutTheFinalNameAndReleasesOnlyAfterSaving) {
    settings().releaseAfterCapture = true;
    writeOld("shot.png");
    // Cancelled, declined, failed: nothing written, nothing released.
    mainWindow().saveAsItem->trigger();
    fake.dialogs().answers = {MsgAnswer::No};
    saveAs("shot.jpg", 1);
    expectOneMessage(kOverwrite);
    saveAs("sub/shot.png", 1);
    expectOneError(errornumber::PathNotFound);
    saveAs(QString(252, u'a') + ".bmp", 1);
    expectOneMessage("Filename too long :   at most 251 bytes (255 with extension)");
    EXPECT_TRUE(captureState().freeze.desktopFrozen);

    fake.dialogs().answers = {MsgAnswer::Yes};
    saveAs("shot.jpg", 1);
    expectCaptureAt(path("shot.png"));
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
    EXPECT_EQ(filesInFolder(), QStringList{"shot.png"});
}

}  // namespace
}  // namespace qv::output
