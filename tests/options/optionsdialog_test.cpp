#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "fakes/fakeprogram.h"
#include "options/windows.h"
#include "options/registrystore.h"
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
TEST_F(OptionsDialogTest, StoredRecordIsReadAndApplyWritesItBackUnchanged) {
    storeRecord();
    OptionsDialog& f = optionsDialog();
    QAction* caption = prog.shellWindows().mainWindow->pastingApplicationItem;
    EXPECT_EQ(prog.options.framecolor, 65280);
    EXPECT_EQ(prog.options.savename, "Shot_");
    EXPECT_TRUE(prog.options.autoreleasedesktop && prog.options.autopopupmenu);
    // Release after capture forces autocopy on, whatever was stored for it.
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check2->isEnabled());
    EXPECT_EQ(caption->text(), "Start Default Application( gimp )  ");

    for (const Stored& s : kRecord)
        fake.registry().deleteValue(Root::CurrentUser, key(s.key), s.name);
    f.Command7->click();
    for (const Stored& s : kRecord) {
        const bool forced = QByteArray(s.name) == "AutoCopyToClibrd";
        EXPECT_EQ(stored(s.key, s.name), forced ? withNul("1") : s.data()) << s.name;
    }
    EXPECT_EQ(caption->text(), "Start Default Application( gimp ) ");
}

TEST_F(OptionsDialogTest, DamagedValuesLeaveTheControlsAlone) {
    storeRecord();
    store("Save", "ImgFormat", "png!");
    store("Save", "PrompOrIncrement", withNul("2"));
    store("Frame", "Color", withNul("99999999999"));
    store("Frame", "IncludeOutline", "1");
    store("Auto", "AutoReleaseDesktop", withNul("yes"));
    store("Auto", "ShowCurrentSize", QByteArray());
    OptionsDialog& f = optionsDialog();
    EXPECT_EQ(f.Combo1->currentText(), ".bmp");
    EXPECT_FALSE(f.Option1->isChecked() || f.Option2->isChecked());
    EXPECT_EQ(prog.options.framecolor, 0);
    EXPECT_FALSE(f.Check1->isChecked() || f.Check2->isChecked() || f.Check3->isChecked() ||
                 f.Check5->isChecked());
}

TEST_F(OptionsDialogTest, ReleaseAfterCaptureCascadeWarnsOnlyWhenShown) {
    OptionsDialog& f = optionsDialog();
    f.Check2->setChecked(false);
    f.show();
    f.Check3->setChecked(true);
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check2->isEnabled());
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(lastMessage().text,
              "Auto Popup Context Menu is not enabled, every Capture will be copied to the "
              "Clipboard only ! ");
    EXPECT_EQ(lastMessage().title, "Quorvalline");

    f.Check3->setChecked(false);
    EXPECT_TRUE(f.Check2->isEnabled() && f.Check2->isChecked());
    EXPECT_FALSE(prog.options.autoreleasedesktop);
    f.Check4->setChecked(true);
    f.Check3->setChecked(true);
    f.hide();
    f.Check3->setChecked(false);
    f.Check4->setChecked(false);
    f.Check3->setChecked(true);
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
}

TEST_F(OptionsDialogTest, IncrementModeRefillsAnEmptyName) {
    OptionsDialog& f = optionsDialog();
    f.Text3->setText("");
    f.Option2->setChecked(true);
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    f.Text3->setText("");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(f.Option2, &out);
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    f.Option1->setChecked(true);
    EXPECT_FALSE(f.Text3->isEnabled());
}

TEST_F(OptionsDialogTest, ForbiddenCharactersStoreNothing) {
    OptionsDialog& f = optionsDialog();
    f.show();
    f.Text3->setText("shot:1");
    f.Command7->click();
    f.Command3->click();
    EXPECT_TRUE(f.isVisible()) << "OK stays open";
    EXPECT_FALSE(keyExists(key("Save")));
    ASSERT_EQ(fake.dialogs().messages.size(), 2u);
    EXPECT_EQ(lastMessage().text, "Not allowed characters in Filename :   \\ / : * ? < > |  ");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Critical);
}

TEST_F(OptionsDialogTest, FirstLoadAndCancelStoreNothingAndTitleBarCloseLosesTheEdits) {
    OptionsDialog& f = optionsDialog();
    f.show();
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    EXPECT_EQ(prog.shellWindows().mainWindow->pastingApplicationItem->text(),
              "Start Default Application( lowriter )");
    f.Text3->setText("Edited_");
    f.Command4->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prog.optionsWindows().optionsDialog->Text3->text(), "Edited_");
    for (const char* sub : {"Save", "Apps", "Frame", "Auto"})
        EXPECT_FALSE(keyExists(key(sub))) << sub << ": neither the first load nor Cancel stores";

    f.show();
    f.close();
    EXPECT_FALSE(prog.optionsWindows().optionsDialog.isLoaded());
    EXPECT_EQ(prog.optionsWindows().optionsDialog->Text3->text(), "Quorvalline_");
}

TEST_F(OptionsDialogTest, ActivationOverTheFrozenScreenMarksTheDialogOpen) {
    prog.shell.freeze.pendingWindow = prog.shell.freeze.pendingScreen = true;
    OptionsDialog& f = optionsDialog();
    prog.shellWindows().frozenScreen.drop();  // as after a release; the start-up loaded it
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_FALSE(prog.shellWindows().frozenScreen.isLoaded()) << "asking must not load it";
    EXPECT_FALSE(prog.shell.freeze.dialogOpen || prog.shell.freeze.pendingWindow ||
                 prog.shell.freeze.pendingScreen);

    shell::FrozenScreen& frozen = prog.shellWindows().frozenScreen.get();
    frozen.show();
    frozen.markerTimer->start(200);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_TRUE(prog.shell.freeze.dialogOpen);
    EXPECT_FALSE(frozen.markerTimer->isActive());
}

TEST_F(OptionsDialogTest, ClosingOptionsKeepsTheWindowsItOpenedInFront) {
    OptionsDialog& f = optionsDialog();
    f.show();
    f.Command8->click();
    EXPECT_EQ(prog.optionsWindows().hotkeysDialog->windowHandle()->transientParent(), f.windowHandle());
    f.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prog.optionsWindows().hotkeysDialog.isLoaded());
    EXPECT_TRUE(prog.optionsWindows().hotkeysDialog->isVisible());
}

TEST_F(OptionsDialogTest, TheBoxWritesOrRemovesTheRunValueAtOnceAndStartUpRewritesItsPath) {
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8().append('\0');
    auto runValue = [&] {
        return fake.registry().value(Root::CurrentUser, platform::kRunKey, platform::kRunValue);
    };
    OptionsDialog& f = prog.optionsWindows().optionsDialog.get();
    EXPECT_FALSE(runValue());
    f.Check6->setChecked(true);
    EXPECT_EQ(runValue(), program);
    f.Command4->click();
    EXPECT_EQ(runValue(), program) << "Cancel leaves it";
    f.Check6->setChecked(false);
    EXPECT_FALSE(runValue());

    // Start-up sets the box from the value, which rewrites a path left by a moved program.
    fake.registry().setValue(Root::CurrentUser, platform::kRunKey, platform::kRunValue,
                             withNul("/old place/quorvalline"));
    f.Check6->setChecked(runValue().has_value());
    EXPECT_EQ(runValue(), program);
}

}  // namespace
}  // namespace qv::options
