#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <functional>

#include "fakes/fakeprogram.h"
#include "options/registrystore.h"
#include "options/settingsstore.h"
#include "options/windows.h"
#include "shell/capture_fixture.h"
#include "shell/windows.h"

namespace qv::options {
namespace {

using platform::MsgIcon;
using Root = platform::Registry::Root;

QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

// A record as Apply writes it: texts and flags with a counted NUL, the format without.
const struct Stored {
    const char* key;
    const char* name;
    const char* text;
    QByteArray data() const {
        return QByteArray(name) == "ImgFormat" ? QByteArray(text) : withNul(text);
    }
} kRecord[] = {{"Save", "SaveDir", "/home/u/shots"},
               {"Save", "SaveName", "Shot_"},
               {"Save", "ImgFormat", ".png"},
               {"Save", "PrompOrIncrement", "1"},
               {"Apps", "AppPath", "/usr/bin/gimp"},
               {"Apps", "NewInstance", "1"},
               {"Apps", "ConAppName", "gimp"},
               {"Frame", "Color", "65280"},
               {"Frame", "Outline", "1"},
               {"Frame", "IncludeOutline", "1"},
               {"Auto", "AutoCopyToClibrd", "0"},
               {"Auto", "AutoReleaseDesktop", "1"},
               {"Auto", "AutoPopupMenu", "1"},
               {"Auto", "ShowCurrentSize", "1"},
               {"Auto", "SoundPath", "/home/u/click.wav"}};

class OptionsDialogTest : public fakes::ProgramTest {
protected:
    // The main window exists before the Options window, as at start-up.
    OptionsDialog& optionsDialog() {
        prog.shellWindows().mainWindow.get();
        return prog.optionsWindows().optionsDialog.get();
    }
    static QString key(const char* sub) { return kProgramKey + "\\" + sub; }
    QByteArray stored(const char* sub, const char* name) {
        return fake.registry().value(Root::CurrentUser, key(sub), name).value_or("<missing>");
    }
    void store(const char* sub, const char* name, const QByteArray& data) {
        fake.registry().setValue(Root::CurrentUser, key(sub), name, data);
    }
    void storeRecord() {
        for (const Stored& s : kRecord)
            store(s.key, s.name, s.data());
    }
    const fakes::FakeDialogs::Shown& lastMessage() { return fake.dialogs().messages.back(); }
};

// Each stored value differs from the control's default, so the round trip shows it was read.
TEST_F(OptionsDialogTest, StoredRecordIsShownAndApplyWritesItBackUnchanged) {
    storeRecord();
    OptionsDialog& f = optionsDialog();
    QAction* caption = prog.shellWindows().mainWindow->pastingApplicationItem;
    const Settings& current = prog.options.settings;
    EXPECT_EQ(current.frameColor, 65280);
    EXPECT_EQ(current.fileNamePrefix, "Shot_");
    EXPECT_TRUE(current.releaseAfterCapture && current.autoPopupMenu);
    f.show();
    EXPECT_EQ(f.editedSettings(), current);
    EXPECT_EQ(f.fileNamePrefixEdit->text(), "Shot_");
    // Release after capture forces autocopy on, whatever was stored for it.
    EXPECT_TRUE(f.autoCopyBox->isChecked());
    EXPECT_FALSE(f.autoCopyBox->isEnabled());
    EXPECT_EQ(caption->text(), "Start Default Application( gimp )  ");

    for (const Stored& s : kRecord)
        fake.registry().deleteValue(Root::CurrentUser, key(s.key), s.name);
    fake.registry().writes = 0;
    f.applyButton->click();
    EXPECT_EQ(fake.registry().writes, 1);
    for (const Stored& s : kRecord) {
        const bool forced = QByteArray(s.name) == "AutoCopyToClibrd";
        EXPECT_EQ(stored(s.key, s.name), forced ? withNul("1") : s.data()) << s.name;
    }
    EXPECT_EQ(caption->text(), "Start Default Application( gimp ) ");
}

TEST_F(OptionsDialogTest, ReleaseAfterCaptureCascadeWarnsOnlyWhenShown) {
    OptionsDialog& f = optionsDialog();
    f.show();
    f.autoCopyBox->setChecked(false);
    f.releaseAfterCaptureBox->setChecked(true);
    EXPECT_TRUE(f.autoCopyBox->isChecked());
    EXPECT_FALSE(f.autoCopyBox->isEnabled());
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(lastMessage().text,
              "Auto Popup Context Menu is not enabled, every Capture will be copied to the "
              "Clipboard only ! ");
    EXPECT_EQ(lastMessage().title, "Quorvalline");

    f.releaseAfterCaptureBox->setChecked(false);
    EXPECT_TRUE(f.autoCopyBox->isEnabled() && f.autoCopyBox->isChecked());
    f.autoPopupMenuBox->setChecked(true);
    f.releaseAfterCaptureBox->setChecked(true);
    f.hide();
    f.releaseAfterCaptureBox->setChecked(false);
    f.autoPopupMenuBox->setChecked(false);
    f.releaseAfterCaptureBox->setChecked(true);
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
}

TEST_F(OptionsDialogTest, IncrementModeRefillsAnEmptyName) {
    OptionsDialog& f = optionsDialog();
    f.fileNamePrefixEdit->setText("");
    f.incrementNameButton->setChecked(true);
    EXPECT_EQ(f.fileNamePrefixEdit->text(), "Quorvalline_");
    f.fileNamePrefixEdit->setText("");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(f.incrementNameButton, &out);
    EXPECT_EQ(f.fileNamePrefixEdit->text(), "Quorvalline_");
    f.promptForNameButton->setChecked(true);
    EXPECT_FALSE(f.fileNamePrefixEdit->isEnabled());
}

// Apply and OK store nothing while the name or the folder cannot be used, and the half-typed
// text leaves the one in force before; Return presses OK.
TEST_F(OptionsDialogTest, UnusableNamesStoreNothingStayOutOfForceAndReturnPressesOk) {
    OptionsDialog& f = optionsDialog();
    const Settings before = prog.options.settings;
    const struct {
        QLineEdit* OptionsDialog::*box;
        const char* text;
        const char* message;
    } rows[] = {
        {&OptionsDialog::fileNamePrefixEdit, "shot:1",
         "Not allowed characters in Filename :   \\ / : * ? < > |  "},
        {&OptionsDialog::fileNamePrefixEdit, "..",
         "Not allowed characters in Filename :   \\ / : * ? < > |  "},
        {&OptionsDialog::saveFolderEdit, "/tmp/shots/../etc",
         "Not allowed in the Folder :   line breaks, tabs and \"..\" as a folder name  "},
        {&OptionsDialog::saveFolderEdit, "/tmp/sh\nots",
         "Not allowed in the Folder :   line breaks, tabs and \"..\" as a folder name  "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        f.show();
        fake.dialogs().messages.clear();
        (f.*row.box)->setText(row.text);
        EXPECT_EQ(prog.options.settings, before) << "in force only once it can be used";
        f.applyButton->click();
        f.okButton->click();
        EXPECT_TRUE(f.isVisible()) << "OK stays open";
        EXPECT_FALSE(keyExists(key("Save")));
        ASSERT_EQ(fake.dialogs().messages.size(), 2u);
        EXPECT_EQ(lastMessage().text, row.message);
        EXPECT_EQ(lastMessage().icon, MsgIcon::Critical);
        f.cancelButton->click();
        f.show();
        EXPECT_EQ(f.editedSettings(), before) << "the opening shows what is in force";
    }

    f.fileNamePrefixEdit->setText("Typed_");
    f.showCurrentSizeBox->setChecked(true);
    QTest::keyClick(f.fileNamePrefixEdit, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prog.options.settings.fileNamePrefix, "Typed_");
    EXPECT_TRUE(prog.options.settings.showCurrentSize);
    EXPECT_EQ(stored("Save", "SaveName"), withNul("Typed_"));
}

// A prefix whose numbered names cannot be file names (the bytes count) is refused as a
// forbidden character is; the last usable one stays in force and stored, whatever the format.
TEST_F(OptionsDialogTest, APrefixTooLongForItsNumberedNamesLeavesTheLastUsableOneInForce) {
    const QString accent(124, u'\u00e9');  // 248 bytes
    const QString refused =
        "Filename too long :   at most 248 bytes (255 with number and extension)  ";
    OptionsDialog& f = optionsDialog();
    for (const auto& [prefix, usable] : {std::pair{accent, true}, std::pair{accent + "a", false}}) {
        f.show();
        fake.dialogs().messages.clear();
        f.fileNamePrefixEdit->setText(prefix);
        f.formatCombo->setCurrentText(".tif");
        f.okButton->click();
        EXPECT_EQ(prog.options.settings.fileNamePrefix, accent);
        EXPECT_EQ(stored("Save", "SaveName"), (accent + QChar(0)).toUtf8());
        EXPECT_EQ(fake.dialogs().lastText(), usable ? QString() : refused);
    }
}

// Increment mode never numbers names without a prefix: an emptied box leaves the default one
// in force, and Apply stores and shows it.
TEST_F(OptionsDialogTest, AnEmptiedPrefixInIncrementModeIsTheDefaultOne) {
    OptionsDialog& f = optionsDialog();
    f.show();
    f.incrementNameButton->setChecked(true);
    f.fileNamePrefixEdit->setText("Mine_");
    f.fileNamePrefixEdit->clear();
    EXPECT_EQ(prog.options.settings.fileNamePrefix, "Quorvalline_");
    f.applyButton->click();
    EXPECT_EQ(f.fileNamePrefixEdit->text(), "Quorvalline_");
    EXPECT_EQ(stored("Save", "SaveName"), withNul("Quorvalline_"));
}

// Cancel and Escape only hide the window: the edits stay in force, copy caption included,
// without being stored, and the next opening shows them. The title-bar close drops what was
// not stored.
TEST_F(OptionsDialogTest, CancelAndEscapeKeepTheEditsUnstoredAndTheCloseDropsThem) {
    OptionsDialog& f = optionsDialog();
    QAction* copyItem = prog.shellWindows().mainWindow->copyItem;
    const QString autoCopyCaption = copyItem->text();
    EXPECT_EQ(prog.shellWindows().mainWindow->pastingApplicationItem->text(),
              "Start Default Application( lowriter )");
    const Settings before = prog.options.settings;
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [&] { f.cancelButton->click(); }},
        {"Escape", [&] { QTest::keyClick(f.fileNamePrefixEdit, Qt::Key_Escape); }},
    };
    for (const auto& [name, hide] : ways) {
        SCOPED_TRACE(name);
        f.show();
        f.fileNamePrefixEdit->setText("Edited_");
        f.autoCopyBox->setChecked(false);
        hide();
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(prog.options.settings.fileNamePrefix, "Edited_");
        EXPECT_FALSE(prog.options.settings.autoCopy);
        EXPECT_NE(copyItem->text(), autoCopyCaption);
        f.show();
        EXPECT_EQ(f.editedSettings(), prog.options.settings);
        f.fileNamePrefixEdit->setText("Quorvalline_");
        f.autoCopyBox->setChecked(true);
        f.hide();
    }
    f.show();
    f.fileNamePrefixEdit->setText("Edited_");
    f.autoCopyBox->setChecked(false);
    f.releaseAfterCaptureBox->setChecked(true);
    f.close();
    EXPECT_EQ(prog.options.settings, before);
    EXPECT_EQ(copyItem->text(), autoCopyCaption);
    f.show();
    EXPECT_EQ(f.editedSettings(), before);
    EXPECT_TRUE(f.autoCopyBox->isEnabled());
    for (const char* sub : {"Save", "Apps", "Frame", "Auto"})
        EXPECT_FALSE(keyExists(key(sub))) << sub << ": neither the first load nor Cancel stores";
}

TEST_F(OptionsDialogTest, ActivationOverTheFrozenScreenMarksTheDialogOpen) {
    prog.captureState.freeze.pendingWindow = prog.captureState.freeze.pendingScreen = true;
    OptionsDialog& f = optionsDialog();
    prog.shellWindows().frozenScreen.drop();  // as after a release; the start-up loaded it
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_FALSE(prog.shellWindows().frozenScreen.exists()) << "asking must not load it";
    EXPECT_FALSE(prog.captureState.freeze.dialogOpen || prog.captureState.freeze.pendingWindow ||
                 prog.captureState.freeze.pendingScreen);

    shell::FrozenScreen& frozen = prog.shellWindows().frozenScreen.get();
    frozen.show();
    frozen.markerTimer->start(200);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_TRUE(prog.captureState.freeze.dialogOpen);
    EXPECT_FALSE(frozen.markerTimer->isActive());
}

TEST_F(OptionsDialogTest, ClosingOptionsKeepsTheWindowsItOpenedInFront) {
    OptionsDialog& f = optionsDialog();
    f.show();
    f.hotkeysButton->click();
    EXPECT_EQ(prog.optionsWindows().hotkeysDialog->windowHandle()->transientParent(),
              f.windowHandle());
    EXPECT_EQ(prog.optionsWindows().hotkeysDialog->windowHandle()->type(), Qt::Dialog)
        << "the window manager learns the owner of dialog windows only";
    f.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prog.optionsWindows().hotkeysDialog.exists());
    EXPECT_TRUE(prog.optionsWindows().hotkeysDialog->isVisible());
}

TEST_F(OptionsDialogTest, TheBoxWritesOrRemovesTheRunValueAtOnceAndStartUpRewritesItsPath) {
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8().append('\0');
    auto runValue = [&] {
        return fake.registry().value(Root::CurrentUser, platform::kRunKey, platform::kRunValue);
    };
    OptionsDialog& f = prog.optionsWindows().optionsDialog.get();
    EXPECT_EQ(f.startAtLoginBox->text(), "Start Quorvalline Automatically at Login");
    EXPECT_FALSE(runValue());
    f.startAtLoginBox->setChecked(true);
    EXPECT_EQ(runValue(), program);
    f.cancelButton->click();
    EXPECT_EQ(runValue(), program) << "Cancel leaves it";
    f.startAtLoginBox->setChecked(false);
    EXPECT_FALSE(runValue());

    // Start-up reads the value and rewrites a path left by a moved program.
    fake.registry().setValue(Root::CurrentUser, platform::kRunKey, platform::kRunValue,
                             withNul("/old place/quorvalline"));
    prog.shellWindows().mainWindow.get();
    EXPECT_EQ(runValue(), program);
    f.show();
    EXPECT_TRUE(f.startAtLoginBox->isChecked());
}

// What the capture does follows the boxes at once; Cancel keeps it, only OK stores it.
class OptionsInForceTest : public shell::capturetests::CaptureTest {};

TEST_F(OptionsInForceTest, ReleaseAfterCaptureActsAtOnceAndIsStoredOnlyByOk) {
    OptionsDialog& f = prog.optionsWindows().optionsDialog.get();
    mainWindow();
    for (bool applied : {false, true}) {
        SCOPED_TRACE(applied);
        f.show();
        f.releaseAfterCaptureBox->setChecked(false);
        f.releaseAfterCaptureBox->setChecked(true);
        (applied ? f.okButton : f.cancelButton)->click();
        captureEntireScreen();
        EXPECT_FALSE(captureState().freeze.desktopFrozen);
        EXPECT_TRUE(prog.options.settings.releaseAfterCapture);
        EXPECT_EQ(SettingsStore().load().releaseAfterCapture, applied);
    }
}

}  // namespace
}  // namespace qv::options
