// "Email To...": the dialog over the frozen screen, the file it saves and what reaches the mail
// program.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "output/printing/printjob.h"
#include "output/saveerror.h"
#include "output/saving_fixture.h"
#include "output/windows.h"

namespace qv::output {
namespace {

using platform::MsgAnswer;
using platform::ProcessResult;
using Status = ProcessResult::Status;

using savingtests::kOverwrite;

class EmailDialogTest : public savingtests::SavingTest {
protected:
    EmailDialogTest() : SavingTest(QStringLiteral("shots")) {}

    EmailDialog& dialog() { return prog.outputWindows().emailDialog.get(); }
    // The menu command, then the name and format typed and OK.
    void send(const QString& name, const QString& extension) {
        mainWindow().emailItem->trigger();
        dialog().fileNameEdit->setText(name);
        dialog().formatCombo->setCurrentText(extension);
        dialog().okButton->click();
    }
    // Exactly one message box starting with text and titled title, then forgotten.
    void expectOneMessage(const QString& text,
                          const QString& title = QStringLiteral(" Quorvalline ")) {
        ASSERT_EQ(fake.dialogs().messages.size(), 1u) << qPrintable(fake.dialogs().lastText());
        EXPECT_TRUE(fake.dialogs().messages[0].text.startsWith(text))
            << qPrintable(fake.dialogs().lastText());
        EXPECT_EQ(fake.dialogs().messages[0].title, title);
        fake.dialogs().messages.clear();
    }
    // The dialog is still up over the frozen screen and the capture is kept.
    void expectDialogKept() {
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_TRUE(captureState().freeze.dialogOpen);
        EXPECT_TRUE(captureState().freeze.desktopFrozen);
        EXPECT_EQ(buffer(), capture_);
        EXPECT_TRUE(fake.mail().sent.empty());
    }
};

TEST_F(EmailDialogTest, TheFrozenScreenBuildsTheDialogHiddenWithItsFirstNameAndFormat) {
    EmailDialog* built = prog.outputWindows().emailDialog.peek();
    ASSERT_NE(built, nullptr) << "built by the frozen screen's load";
    EXPECT_FALSE(built->isVisible());
    EXPECT_EQ(built->fileNameEdit->text(), "Quorvalline");
    QStringList formats;
    for (int i = 0; i < built->formatCombo->count(); ++i)
        formats << built->formatCombo->itemText(i);
    EXPECT_EQ(formats, QStringList({".bmp", ".png", ".jpg", ".tif"}));
    EXPECT_EQ(built->formatCombo->currentText(), ".jpg");
    EXPECT_TRUE(built->okButton->isDefault());

    // Hidden by Cancel and shown again, it keeps what was typed.
    captureState().freeze.pendingScreen = captureState().freeze.pendingWindow = true;
    mainWindow().emailItem->trigger();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(captureState().freeze.dialogOpen);
    EXPECT_FALSE(captureState().freeze.pendingScreen);
    EXPECT_FALSE(captureState().freeze.pendingWindow);
    dialog().fileNameEdit->setText(QStringLiteral("kept"));
    dialog().formatCombo->setCurrentText(QStringLiteral(".tif"));
    dialog().cancelButton->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    mainWindow().emailItem->trigger();
    EXPECT_EQ(dialog().fileNameEdit->text(), "kept");
    EXPECT_EQ(dialog().formatCombo->currentText(), ".tif");

    // The close box throws it away; the next frozen screen builds it afresh.
    dialog().close();
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    EXPECT_FALSE(prog.outputWindows().emailDialog.exists());
    flushDrops();
    mainWindow().releaseItem->trigger();
    freeze();
    ASSERT_TRUE(prog.outputWindows().emailDialog.exists());
    EXPECT_EQ(dialog().fileNameEdit->text(), "Quorvalline");
    EXPECT_EQ(dialog().formatCombo->currentText(), ".jpg");
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(EmailDialogTest, AFrozenScreenBuiltWhileEitherDialogIsShownClearsTheOpenFlag) {
    struct Row {
        bool email, save, cleared;
    };
    for (const Row row :
         {Row{false, false, false}, Row{true, false, true}, Row{false, true, true}}) {
        SCOPED_TRACE(::testing::Message() << row.email << row.save);
        prog.outputWindows().emailDialog->setVisible(row.email);
        prog.outputWindows().saveDialog->setVisible(row.save);
        captureState().freeze.dialogOpen = true;
        shellWindows().frozenScreen.drop();
        shellWindows().frozenScreen.get();
        EXPECT_EQ(captureState().freeze.dialogOpen, !row.cleared);
        prog.outputWindows().emailDialog->hide();
        prog.outputWindows().saveDialog->hide();
    }
}

TEST_F(EmailDialogTest, RefusedNamesWriteAndSendNothing) {
    const std::pair<const char*, std::pair<QString, QString>> cases[] = {
        {"a/b",
         {QStringLiteral("Not allowed characters in Filename :   \\ / : * ? < > |  "),
          QStringLiteral("Quorvalline")}},
        {"x:y",
         {QStringLiteral("Not allowed characters in Filename :   \\ / : * ? < > |  "),
          QStringLiteral("Quorvalline")}},
        {"", {QStringLiteral("Invalid Filename"), QStringLiteral(" Quorvalline ")}},
    };
    settings().releaseAfterCapture = true;
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        send(QString::fromUtf8(name), QStringLiteral(".png"));
        expectOneMessage(message.first, message.second);
        EXPECT_EQ(fake.dialogs().messages.size(), 0u);
        expectDialogKept();
    }
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(EmailDialogTest, EachFormatIsSavedUnderTheTypedNameAndThatFileIsMailed) {
    useFolder(QStringLiteral("Ann's \"mail\" shots"));
    const QString names[] = {QStringLiteral("Quorvalline"), QStringLiteral("it's a \"test\"")};
    for (const QString& name : names) {
        for (const char* extension : {".bmp", ".png", ".jpg", ".tif"}) {
            SCOPED_TRACE(qPrintable(name + QLatin1String(extension)));
            fake.mail().sent.clear();
            send(name, QString::fromLatin1(extension));
            const QString file = path(name + QLatin1String(extension));
            expectCaptureAt(file);
            ASSERT_EQ(fake.mail().sent.size(), 1u);
            EXPECT_EQ(fake.mail().sent[0], file);
            EXPECT_TRUE(QFileInfo(fake.mail().sent[0]).isAbsolute());
            EXPECT_FALSE(dialog().isVisible());
            EXPECT_FALSE(captureState().freeze.dialogOpen);
            EXPECT_TRUE(frozenScreen().isVisible()) << "the capture stays for further outputs";
        }
    }
    EXPECT_TRUE(fake.dialogs().messages.empty()) << qPrintable(fake.dialogs().lastText());
    EXPECT_EQ(filesInFolder().size(), 8) << "no temporary bitmap left";
}

// OK is the default button: Return or Enter in either box presses it, once.
TEST_F(EmailDialogTest, ReturnInTheNameBoxOrTheFormatListSendsAsOKDoes) {
    settings().releaseAfterCapture = false;
    const struct {
        bool inList;
        Qt::Key key;
    } presses[] = {{true, Qt::Key_Return}, {true, Qt::Key_Enter}, {false, Qt::Key_Return}};
    int sent = 0;
    for (const auto& press : presses) {
        SCOPED_TRACE(press.inList ? "format list" : "name box");
        mainWindow().emailItem->trigger();
        dialog().fileNameEdit->setText(QStringLiteral("pressed"));
        dialog().formatCombo->setCurrentText(QStringLiteral(".png"));
        QWidget* box =
            press.inList ? static_cast<QWidget*>(dialog().formatCombo) : dialog().fileNameEdit;
        fake.dialogs().answers = {MsgAnswer::Yes};
        QTest::keyClick(box, press.key);
        ASSERT_EQ(fake.mail().sent.size(), size_t(++sent));
        EXPECT_EQ(fake.mail().sent.back(), path(QStringLiteral("pressed.png")));
        EXPECT_FALSE(dialog().isVisible());
    }
}

TEST_F(EmailDialogTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    writeOld(QStringLiteral("Quorvalline.png"));
    fake.dialogs().answers = {MsgAnswer::No};
    send(QStringLiteral("Quorvalline"), QStringLiteral(".png"));
    expectOneMessage(kOverwrite);
    expectDialogKept();
    QFile old(path(QStringLiteral("Quorvalline.png")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    old.close();

    fake.dialogs().answers = {MsgAnswer::Yes};
    dialog().okButton->click();
    expectOneMessage(kOverwrite);
    expectCaptureAt(path(QStringLiteral("Quorvalline.png")));
    EXPECT_EQ(fake.mail().sent, std::vector<QString>{path(QStringLiteral("Quorvalline.png"))});
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(EmailDialogTest, ASaveThatFailsIsReportedAndKeepsTheDialogAndTheCapture) {
    const std::pair<std::function<void()>, int> cases[] = {
        {[this] {
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return ProcessResult{Status::Finished, 3, QStringLiteral("bad bitmap")};
             };
         },
         errornumber::ConverterFailed},
        {[this] {
             fake.process().behaviour = [](const fakes::FakeProcess::Call&) {
                 return ProcessResult{Status::TimedOut, -1, {}};
             };
         },
         errornumber::ConverterFailed},
        {[this] { settings().saveFolder = path(QStringLiteral("gone")); },
         errornumber::PathNotFound},
        {[this] { settings().saveFolder.clear(); }, errornumber::PathNotFound},
    };
    settings().releaseAfterCapture = true;
    for (const auto& [arrange, number] : cases) {
        SCOPED_TRACE(number);
        arrange();
        send(QStringLiteral("Quorvalline"), QStringLiteral(".png"));
        expectOneMessage(QStringLiteral("Error: %1  ").arg(number));
        EXPECT_TRUE(fake.dialogs().messages.empty());
        expectDialogKept();
        EXPECT_TRUE(filesInFolder().isEmpty()) << qPrintable(filesInFolder().join(u' '));
        settings().saveFolder = folder_;
    }
}

TEST_F(EmailDialogTest, TheReleaseComesBeforeTheMailAndAFailedMailNamesTheSavedFile) {
    for (bool release : {false, true}) {
        SCOPED_TRACE(release);
        settings().releaseAfterCapture = release;
        if (!captureState().freeze.desktopFrozen) {
            freeze();
            session().buffer = capture_;
        }
        fake.mail().failure = QStringLiteral("No mail program is set up on this desktop");
        bool frozenWhileSending = false;
        fake.mail().onSend = [&] { frozenWhileSending = captureState().freeze.desktopFrozen; };
        const QString name = release ? QStringLiteral("released") : QStringLiteral("kept");
        send(name, QStringLiteral(".bmp"));

        const QString file = path(name + QStringLiteral(".bmp"));
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_TRUE(fake.dialogs().lastText().contains(file))
            << qPrintable(fake.dialogs().lastText());
        expectOneMessage(QStringLiteral("Error: %1  No mail program is set up on this desktop")
                             .arg(errornumber::MailFailed));
        EXPECT_EQ(frozenWhileSending, !release);
        EXPECT_EQ(captureState().freeze.desktopFrozen, !release);
        EXPECT_EQ(fake.mail().sent.back(), file);
        expectCaptureAt(file);
    }
}

// A number names one failure, so that the number a user reports tells which one it was.
TEST(OutputErrorNumbers, EachFailureHasANumberOfItsOwn) {
    namespace n = errornumber;
    const struct {
        int number;
        const char* failure;
    } numbers[] = {
        {n::FileNotFound, "file not found"},
        {n::FileExists, "file exists"},
        {n::DiskFull, "disk full"},
        {n::PermissionDenied, "permission denied"},
        {n::FileAccess, "file access"},
        {n::PathNotFound, "path not found"},
        {n::ConverterFailed, "converter failed"},
        {n::NoFreeName, "no free name"},
        {n::MailFailed, "mail failed"},
        {kNoRoomOnPage, "no room on the page"},
        {kNoCapture, "no capture to print"},
        {platform::printerror::NoPrinter, "no printer"},
    };
    std::set<int> seen;
    for (const auto& n : numbers)
        EXPECT_TRUE(seen.insert(n.number).second) << n.failure << " shares " << n.number;
}

}  // namespace
}  // namespace qv::output
