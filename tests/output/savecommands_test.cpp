// The three saving roads from the frozen screen: Save to Default Directory, the save dialog and
// Save As, with the converter run in-process and a temporary folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include "converter/converter.h"
#include "output/forms.h"
#include "output/savecommands.h"
#include "shell/capture_fixture.h"

namespace qv::output {
namespace {

using platform::MsgAnswer;
using platform::MsgIcon;
using platform::ProcessResult;
using Status = ProcessResult::Status;

class SaveCommandsTest : public shell::capturetests::CaptureTest {
protected:
    SaveCommandsTest() {
        folder_ = dir_.filePath(QStringLiteral("my shots"));
        QDir().mkpath(folder_);
        capture_ = QImage(29, 17, QImage::Format_RGB32);
        for (int y = 0; y < capture_.height(); ++y) {
            for (int x = 0; x < capture_.width(); ++x)
                capture_.setPixel(x, y, qRgb(x * 8, y * 14, 200 - x));
        }
        fake.process().behaviour = [](const fakes::FakeProcess::Call& call) {
            const converter::Result r = converter::convert(call.arguments);
            return ProcessResult{Status::Finished, r.exitCode, r.message};
        };
        form4().Text1->setText(folder_);
        form4().Text3->setText(QStringLiteral("Shot_"));
        options().savename = QStringLiteral("Shot_");
        freeze();
        form3().Picture1->setImage(capture_);
        shellState().captureavailable = true;
    }

    void increment(const char* extension) {
        form4().Option2->setChecked(true);
        form4().Combo1->setCurrentText(QString::fromLatin1(extension));
    }
    Dialog& dialog() { return prog.outputForms().dialog.get(); }
    void typeInDialog(const QString& name, const char* extension) {
        dialog().Text1->setText(name);
        dialog().Combo1->setCurrentText(QString::fromLatin1(extension));
    }
    QString path(const QString& name) const { return QDir(folder_).filePath(name); }
    QStringList filesInFolder() const {
        return QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void expectCaptureAt(const QString& file) {
        const QImage back = QImage(file).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), capture_.size()) << file.toStdString();
        if (!file.endsWith(QStringLiteral(".jpg")))
            EXPECT_EQ(back, capture_) << file.toStdString();
    }
    void writeOld(const QString& name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QByteArray contents(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool frozenScreenKept() {
        return shellState().desktopfrozen && forms().form2.peek() && form2().isVisible();
    }
    void expectOneError(int number) {
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        const auto& shown = fake.dialogs().messages[0];
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Error: %1  ").arg(number)))
            << shown.text.toStdString();
        EXPECT_TRUE(shown.text.endsWith(QStringLiteral(" !!")));
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
        EXPECT_EQ(shown.title, " Quorvalline ");
    }

    QTemporaryDir dir_;
    QString folder_;
    QImage capture_;
};

TEST_F(SaveCommandsTest, DefaultDirectoryTakesTheNextNumberedNameInEachFormat) {
    for (const char* ext : {".bmp", ".png", ".jpg", ".tif"}) {
        increment(ext);
        form1().mnuSaveToDefDir->trigger();
        form1().mnuSaveToDefDir->trigger();
        expectCaptureAt(path(QStringLiteral("Shot_") + ext));
        expectCaptureAt(path(QStringLiteral("Shot_0") + ext));
    }
    EXPECT_EQ(filesInFolder().size(), 8);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_EQ(fake.clock().sleeps.back(), 500);
    EXPECT_FALSE(form1().isVisible());
    EXPECT_TRUE(frozenScreenKept());
    EXPECT_FALSE(shellState().dialogopen);

    options().autoreleasedesktop = true;
    form1().mnuSaveToDefDir->trigger();
    expectCaptureAt(path("Shot_1.tif"));
    EXPECT_FALSE(shellState().desktopfrozen);
}

TEST_F(SaveCommandsTest, DefaultDirectoryFailuresAreReportedWriteNothingAndKeepTheCapture) {
    struct Case {
        const char* why;
        std::function<void()> arrange;
        int number;
    };
    const Case cases[] = {
        {"no folder set", [this] { form4().Text1->clear(); }, errornumber::PathNotFound},
        {"folder missing", [this] { form4().Text1->setText(path("gone")); },
         errornumber::PathNotFound},
        {"converter fails",
         [this] {
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return ProcessResult{Status::Finished, 5, "disk full"};
             };
         },
         errornumber::ConverterFailed},
        {"every name taken",
         [this] {
             writeOld("Shot_.png");
             for (int n = 0; n < 999; ++n)
                 writeOld(QStringLiteral("Shot_%1.png").arg(n));
         },
         errornumber::NoFreeName},
    };
    options().autoreleasedesktop = true;
    increment(".png");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        fake.dialogs().messages.clear();
        c.arrange();
        const QStringList arranged = filesInFolder();
        form1().mnuSaveToDefDir->trigger();
        expectOneError(c.number);
        EXPECT_EQ(filesInFolder(), arranged);
        EXPECT_TRUE(shellState().desktopfrozen);
        EXPECT_TRUE(shellState().captureavailable);
        EXPECT_EQ(form3().Picture1->image(), capture_);
        form4().Text1->setText(folder_);
    }
}

TEST_F(SaveCommandsTest, PromptForNameOnlyOpensTheDialog) {
    form4().Option1->setChecked(true);
    form1().mnuSaveToDefDir->trigger();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().windowTitle(), "Save Captured Image");
    EXPECT_TRUE(shellState().dialogopen);
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_TRUE(fake.process().calls.empty());
    EXPECT_EQ(dialog().Label2->text(), "Default Directory: " + folder_ + "/");
}

TEST_F(SaveCommandsTest, DialogRefusesBadNamesAndStaysOpen) {
    dialog().showOverFrozenScreen();
    const std::pair<const char*, const char*> cases[] = {
        {"", "Invalid Filename"},
        {"a:b", "Not allowed characters in Filename :   \\ / : * ? < > |  "},
        {"a/b", "Not allowed characters in Filename :   \\ / : * ? < > |  "},
    };
    for (auto [name, text] : cases) {
        fake.dialogs().messages.clear();
        typeInDialog(name, ".png");
        dialog().OKButton->click();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u) << name;
        EXPECT_EQ(fake.dialogs().messages[0].text, text);
        EXPECT_EQ(fake.dialogs().messages[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(dialog().isVisible());
    }
    EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(SaveCommandsTest, DialogSavesEachFormatAndShowsTheFrozenScreenAgain) {
    for (const char* ext : {".bmp", ".png", ".jpg", ".tif"}) {
        dialog().showOverFrozenScreen();
        typeInDialog(QStringLiteral("shot \"one\""), ext);
        dialog().OKButton->click();
        expectCaptureAt(path(QStringLiteral("shot \"one\"") + ext));
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_FALSE(shellState().dialogopen);
        EXPECT_TRUE(frozenScreenKept());
    }
    EXPECT_EQ(filesInFolder().size(), 4);
    // The name and format of the last use come back.
    dialog().showOverFrozenScreen();
    EXPECT_EQ(dialog().Text1->text(), "shot \"one\"");
    EXPECT_EQ(dialog().Combo1->currentText(), ".tif");
}

TEST_F(SaveCommandsTest, DialogAsksBeforeOverwritingAndNoKeepsItOpen) {
    for (const char* ext : {".bmp", ".png"}) {
        const QString name = QStringLiteral("taken") + ext;
        writeOld(name);
        dialog().showOverFrozenScreen();
        typeInDialog(QStringLiteral("taken"), ext);
        fake.dialogs().messages.clear();
        fake.dialogs().answers = {MsgAnswer::No};
        dialog().OKButton->click();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_EQ(fake.dialogs().messages[0].text,
                  "File already exists, do you want to overwrite it ?");
        EXPECT_EQ(fake.dialogs().messages[0].title, " Quorvalline ");
        EXPECT_EQ(contents(name), "old");
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_TRUE(shellState().dialogopen);

        fake.dialogs().answers = {MsgAnswer::Yes};
        dialog().OKButton->click();
        expectCaptureAt(path(name));
        EXPECT_FALSE(dialog().isVisible());
    }
    EXPECT_EQ(filesInFolder().size(), 2);
}

TEST_F(SaveCommandsTest, DialogFailureKeepsItOpenAndReleasesNothing) {
    options().autoreleasedesktop = true;
    fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
        return ProcessResult{Status::FailedToStart, -1, {}};
    };
    dialog().showOverFrozenScreen();
    typeInDialog(QStringLiteral("x"), ".jpg");
    dialog().OKButton->click();
    expectOneError(errornumber::FileNotFound);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(shellState().dialogopen);
    EXPECT_TRUE(shellState().desktopfrozen);
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_NE(dialog().cursor().shape(), Qt::BitmapCursor) << "saving pointer left on";

    dialog().CancelButton->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(shellState().dialogopen);
}

TEST_F(SaveCommandsTest, ClosingTheDialogUnloadsItAndTheFrozenScreenLoadsItAgain) {
    dialog().showOverFrozenScreen();
    typeInDialog(QStringLiteral("first"), ".png");
    dialog().close();
    flushDrops();
    EXPECT_FALSE(shellState().dialogopen);
    EXPECT_FALSE(prog.outputForms().dialog.isLoaded());
    forms().form2.drop();
    flushDrops();
    form2();
    ASSERT_TRUE(prog.outputForms().dialog.isLoaded());
    EXPECT_TRUE(dialog().Text1->text().isEmpty());

    // A frozen screen loaded while the dialog is up clears the dialog flag.
    dialog().showOverFrozenScreen();
    ASSERT_TRUE(shellState().dialogopen);
    forms().form2.drop();
    form2();
    EXPECT_FALSE(shellState().dialogopen);
}

TEST_F(SaveCommandsTest, SaveAsReplacesTheTypedExtensionByTheChosenFormat) {
    struct Case {
        const char* typed;
        int filter;  // 0-based row of the format table
        const char* written;
    };
    const Case cases[] = {
        {"shot.jpg", 0, "shot.bmp"},
        {"shot", 1, "shot.png"},
        {"my.shot.bmp", 2, "my.shot.jpg"},
        {"tiff me", 3, "tiff me.tif"},
    };
    for (const Case& c : cases) {
        fake.dialogs().paths = {path(c.typed)};
        // Qt's dialog hands filters back with single blanks.
        fake.dialogs().filters = {imageFormats()[c.filter].qtFilter().simplified()};
        form1().mnuSaveas->trigger();
        expectCaptureAt(path(c.written));
    }
    EXPECT_EQ(filesInFolder().size(), 4);
    const auto& request = fake.dialogs().fileRequests.back();
    EXPECT_EQ(request.title, "Save File As");
    EXPECT_EQ(request.directory, folder_);
    EXPECT_EQ(request.filter.split(";;").size(), 4);
    EXPECT_EQ(fake.dialogs().preselectedFilters.back(), imageFormats()[0].qtFilter());
    EXPECT_TRUE(frozenScreenKept());
}

TEST_F(SaveCommandsTest, SaveAsAsksAboutTheFinalNameAndReleasesOnlyAfterSaving) {
    options().autoreleasedesktop = true;
    writeOld("shot.png");
    // Cancelled, then declined: nothing written, nothing released.
    form1().mnuSaveas->trigger();
    fake.dialogs().paths = {path("shot.jpg")};
    fake.dialogs().filters = {imageFormats()[1].qtFilter()};
    fake.dialogs().answers = {MsgAnswer::No};
    form1().mnuSaveas->trigger();
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().messages[0].text,
              "File already exists, do you want to overwrite it ?");
    EXPECT_EQ(contents("shot.png"), "old");
    EXPECT_TRUE(shellState().desktopfrozen);

    fake.dialogs().paths = {path("shot.jpg")};
    fake.dialogs().filters = {imageFormats()[1].qtFilter()};
    fake.dialogs().answers = {MsgAnswer::Yes};
    form1().mnuSaveas->trigger();
    expectCaptureAt(path("shot.png"));
    EXPECT_FALSE(shellState().desktopfrozen);
    EXPECT_EQ(filesInFolder(), QStringList{"shot.png"});
}

TEST_F(SaveCommandsTest, SaveAsFailureIsReportedAndReleasesNothing) {
    options().autoreleasedesktop = true;
    fake.dialogs().paths = {path("sub/shot.png")};
    fake.dialogs().filters = {imageFormats()[1].qtFilter()};
    form1().mnuSaveas->trigger();
    expectOneError(errornumber::PathNotFound);
    EXPECT_TRUE(shellState().desktopfrozen);
}

}  // namespace
}  // namespace qv::output
