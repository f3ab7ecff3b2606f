#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "autocapture/forms.h"
#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "options/registrystore.h"
#include "output/forms.h"
#include "shell/forms.h"

namespace qv::options {
namespace {

using platform::MsgIcon;
using Root = platform::Registry::Root;

const QString kSave = kProgramKey + QStringLiteral("\\Save");
const QString kApps = kProgramKey + QStringLiteral("\\Apps");
const QString kFrame = kProgramKey + QStringLiteral("\\Frame");
const QString kAuto = kProgramKey + QStringLiteral("\\Auto");

QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

class Form4Test : public fakes::ProgramTest {
protected:
    // The main window exists before the Options window, as at start-up.
    Form4& form4() {
        prog.shellForms().form1.get();
        return prog.optionsForms().form4.get();
    }
    QByteArray stored(const QString& key, const QString& name) {
        return fake.registry().value(Root::CurrentUser, key, name).value_or("<missing>");
    }
    void store(const QString& key, const QString& name, const QByteArray& data) {
        fake.registry().setValue(Root::CurrentUser, key, name, data);
    }
    // A record as an earlier Apply left it.
    void storeRecord() {
        store(kSave, "SaveDir", withNul("/home/u/shots"));
        store(kSave, "SaveName", withNul("Shot_"));
        store(kSave, "ImgFormat", ".png");
        store(kSave, "PrompOrIncrement", withNul("1"));
        store(kApps, "AppPath", withNul("/usr/bin/gimp"));
        store(kApps, "NewInstance", withNul("1"));
        store(kApps, "ConAppName", withNul("gimp"));
        store(kFrame, "Color", withNul("65280"));
        store(kFrame, "Outline", withNul("0"));
        store(kFrame, "IncludeOutline", withNul("1"));
        store(kAuto, "AutoCopyToClibrd", withNul("0"));
        store(kAuto, "AutoReleaseDesktop", withNul("1"));
        store(kAuto, "AutoPopupMenu", withNul("1"));
        store(kAuto, "ShowCurrentSize", withNul("1"));
        store(kAuto, "SoundPath", withNul("/home/u/click.wav"));
    }
    QString menu(QAction* shell::Form1::*item) {
        return (prog.shellForms().form1.get().*item)->text();
    }
};

TEST_F(Form4Test, FirstStartShowsDefaultsAndStoresNoOption) {
    Form4& f = form4();
    EXPECT_FALSE(f.Text1->text().isEmpty());
    EXPECT_EQ(f.Text2->text(), "lowriter");
    EXPECT_EQ(f.Text4->text(), "lowriter");
    EXPECT_FALSE(f.Text4->isVisibleTo(&f));
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    EXPECT_EQ(f.Text5->text(), QCoreApplication::applicationDirPath() + "/beep.wav");
    EXPECT_EQ(f.Combo1->currentText(), ".bmp");
    EXPECT_EQ(f.Combo1->count(), 4);
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_TRUE(f.Option6->isChecked());
    EXPECT_TRUE(f.Option4->isChecked());
    EXPECT_FALSE(f.Check1->isChecked());
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check3->isChecked() || f.Check4->isChecked() || f.Check5->isChecked());
    EXPECT_FALSE(f.Text3->isEnabled());
    EXPECT_FALSE(f.Command6->isEnabled());
    EXPECT_EQ(prog.options.framecolor, 255);
    EXPECT_EQ(prog.options.savename, "Quorvalline_");
    EXPECT_EQ(menu(&shell::Form1::mnuOpenContainerApp), "Start Default Application( lowriter )");
    EXPECT_EQ(menu(&shell::Form1::mnucopytoclipbrd), "Copy to Clipboard ( Autocopy Enabled )  ");
    for (const QString& key : {kSave, kApps, kFrame, kAuto})
        EXPECT_FALSE(keyExists(key)) << key.toStdString();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

TEST_F(Form4Test, StoredRecordIsReadBack) {
    storeRecord();
    Form4& f = form4();
    EXPECT_EQ(f.Text1->text(), "/home/u/shots");
    EXPECT_EQ(f.Text3->text(), "Shot_");
    EXPECT_EQ(f.Combo1->currentText(), ".png");
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_TRUE(f.Text3->isEnabled());
    EXPECT_EQ(f.Text2->text(), "/usr/bin/gimp");
    EXPECT_EQ(f.Text4->text(), "gimp");
    EXPECT_TRUE(f.Option5->isChecked());
    EXPECT_EQ(prog.options.framecolor, 65280);
    EXPECT_TRUE(f.Option3->isChecked());
    EXPECT_TRUE(f.Check1->isChecked());
    EXPECT_TRUE(f.Check4->isChecked());
    EXPECT_TRUE(f.Check5->isChecked());
    EXPECT_EQ(f.Text5->text(), "/home/u/click.wav");
    // Release after capture forces autocopy on, whatever was stored for it.
    EXPECT_TRUE(f.Check3->isChecked());
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check2->isEnabled());
    EXPECT_TRUE(prog.options.autoreleasedesktop);
    EXPECT_TRUE(prog.options.autopopupmenu);
    EXPECT_TRUE(prog.options.showcurrentsize);
    EXPECT_EQ(prog.options.savename, "Shot_");
    EXPECT_EQ(menu(&shell::Form1::mnuOpenContainerApp), "Start Default Application( gimp )  ");
    EXPECT_TRUE(fake.dialogs().messages.empty()) << "no message while the window is hidden";
}

TEST_F(Form4Test, ApplyStoresEveryOptionAndTheNextStartReadsItBack) {
    {
        Form4& f = form4();
        f.Text1->setText("/data/caps");
        f.Option2->setChecked(true);
        f.Text3->setText("");
        f.Combo1->setCurrentIndex(3);
        f.Text2->setText("/usr/bin/inkscape");
        f.Option5->setChecked(true);
        f.Option3->setChecked(true);
        f.Check1->setChecked(true);
        f.Check2->setChecked(false);
        f.Check4->setChecked(true);
        f.Check5->setChecked(true);
        f.Text5->setText("/tmp/a b.wav");
        f.Command7->click();
    }
    EXPECT_EQ(stored(kSave, "SaveName"), QByteArray(1, '\0'));
    EXPECT_EQ(stored(kSave, "ImgFormat"), ".tif");
    EXPECT_EQ(stored(kFrame, "Color"), withNul("255"));
    EXPECT_EQ(stored(kAuto, "AutoCopyToClibrd"), withNul("0"));
    EXPECT_EQ(menu(&shell::Form1::mnuOpenContainerApp),
              "Start Default Application( /usr/bin/inkscape ) ");

    Program next;
    Form4& f = next.optionsForms().form4.get();
    EXPECT_EQ(f.Text1->text(), "/data/caps");
    EXPECT_TRUE(f.Option2->isChecked());
    // The empty name comes back empty and increment mode fills it again.
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    EXPECT_EQ(f.Combo1->currentText(), ".tif");
    EXPECT_EQ(f.Text2->text(), "/usr/bin/inkscape");
    EXPECT_EQ(f.Text4->text(), "/usr/bin/inkscape");
    EXPECT_TRUE(f.Option5->isChecked());
    EXPECT_TRUE(f.Option3->isChecked());
    EXPECT_TRUE(f.Check1->isChecked());
    EXPECT_FALSE(f.Check2->isChecked());
    EXPECT_TRUE(f.Check4->isChecked());
    EXPECT_TRUE(f.Check5->isChecked());
    EXPECT_EQ(f.Text5->text(), "/tmp/a b.wav");
    EXPECT_EQ(next.options.framecolor, 255);
}

TEST_F(Form4Test, ReleaseAfterCaptureCascadeWarnsOnlyWhenShown) {
    Form4& f = form4();
    f.Check2->setChecked(false);
    f.show();
    f.Check3->setChecked(true);
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check2->isEnabled());
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const auto& m = fake.dialogs().messages.back();
    EXPECT_EQ(m.text,
              "Auto Popup Context Menu is not enabled, every Capture will be copied to the "
              "Clipboard only ! ");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.title, "Quorvalline");

    f.Check3->setChecked(false);
    EXPECT_TRUE(f.Check2->isEnabled());
    EXPECT_TRUE(f.Check2->isChecked());
    EXPECT_FALSE(prog.options.autoreleasedesktop);

    f.Check4->setChecked(true);
    f.Check3->setChecked(true);
    f.hide();
    f.Check3->setChecked(false);
    f.Check4->setChecked(false);
    f.Check3->setChecked(true);
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
}

TEST_F(Form4Test, IncrementModeRefillsAnEmptyName) {
    Form4& f = form4();
    f.Text3->setText("");
    f.Option2->setChecked(true);
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    EXPECT_TRUE(f.Text3->isEnabled());
    f.Text3->setText("");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(f.Option2, &out);
    EXPECT_EQ(f.Text3->text(), "Quorvalline_");
    f.Option1->setChecked(true);
    EXPECT_FALSE(f.Text3->isEnabled());
}

TEST_F(Form4Test, ForbiddenCharactersStoreNothing) {
    Form4& f = form4();
    f.show();
    f.Text3->setText("shot:1");
    f.Command7->click();
    f.Command3->click();
    EXPECT_TRUE(f.isVisible()) << "OK stays open";
    EXPECT_FALSE(keyExists(kSave));
    ASSERT_EQ(fake.dialogs().messages.size(), 2u);
    EXPECT_EQ(fake.dialogs().messages[0].text,
              "Not allowed characters in Filename :   \\ / : * ? < > |  ");
    EXPECT_EQ(fake.dialogs().messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");

    f.Text3->setText("shot-1");
    f.Command3->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(stored(kSave, "SaveName"), withNul("shot-1"));
}

TEST_F(Form4Test, DamagedValuesLeaveTheControlsAlone) {
    storeRecord();
    store(kSave, "ImgFormat", "png!");
    store(kSave, "PrompOrIncrement", withNul("2"));
    store(kFrame, "Color", withNul("99999999999"));
    store(kFrame, "IncludeOutline", "1");
    store(kAuto, "AutoReleaseDesktop", withNul("yes"));
    store(kAuto, "ShowCurrentSize", QByteArray());
    Form4& f = form4();
    EXPECT_EQ(f.Combo1->currentText(), ".bmp");
    EXPECT_FALSE(f.Option1->isChecked() || f.Option2->isChecked());
    EXPECT_EQ(prog.options.framecolor, 0);
    EXPECT_FALSE(f.Check1->isChecked());
    EXPECT_FALSE(f.Check3->isChecked());
    EXPECT_FALSE(f.Check2->isChecked());
    EXPECT_FALSE(f.Check5->isChecked());
}

TEST_F(Form4Test, BrowseButtonsFillTheirBoxesAndCancelChangesNothing) {
    Form4& f = form4();
    auto& dialogs = fake.dialogs();
    dialogs.paths = {"/opt/tools/paint", "/srv/pics", "/home/u/sounds/ding.wav", "/x/name",
                     std::nullopt};
    f.Command2->click();
    f.Command1->click();
    f.Command12->click();
    f.Option2->setChecked(true);
    f.Command6->click();
    f.Command6->click();  // cancelled
    EXPECT_EQ(f.Text2->text(), "/opt/tools/paint");
    EXPECT_EQ(f.Text4->text(), "paint");
    EXPECT_EQ(f.Text1->text(), "/srv/pics");
    EXPECT_EQ(f.Text5->text(), "/home/u/sounds/ding.wav");
    EXPECT_EQ(f.Text3->text(), "name.bmp");
    ASSERT_EQ(dialogs.fileRequests.size(), 5u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Select File:");
    EXPECT_EQ(dialogs.fileRequests[1].title, "Choose Folder:");
    EXPECT_EQ(dialogs.fileRequests[2].filter, "Soundfiles (*.wav)");
    EXPECT_EQ(dialogs.fileRequests[3].title, "Select File Name:");
    EXPECT_EQ(dialogs.fileRequests[3].filter, "Bitmap (*.bmp)");

    f.Command5->click();  // cancelled
    EXPECT_EQ(prog.options.framecolor, 255);
    dialogs.colors = {QColor(0, 0, 255)};
    f.Command5->click();
    EXPECT_EQ(prog.options.framecolor, 0xFF0000);
    EXPECT_EQ(f.Label5->palette().color(QPalette::Window), QColor(0, 0, 255));
}

TEST_F(Form4Test, CancelKeepsEditsAndTitleBarCloseLosesThem) {
    Form4& f = form4();
    f.show();
    f.Text3->setText("Edited_");
    f.Command4->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prog.optionsForms().form4->Text3->text(), "Edited_");
    EXPECT_FALSE(keyExists(kSave));

    f.show();
    f.close();
    EXPECT_FALSE(prog.optionsForms().form4.isLoaded());
    EXPECT_EQ(prog.optionsForms().form4->Text3->text(), "Quorvalline_");
}

TEST_F(Form4Test, ActivationOverTheFrozenScreenMarksTheDialogOpen) {
    prog.shell.pendingwindow = prog.shell.pendingscreen = true;
    Form4& f = form4();
    prog.shellForms().form2.drop();  // as after a release; the start-up loaded it
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_FALSE(prog.shellForms().form2.isLoaded()) << "asking must not load it";
    EXPECT_FALSE(prog.shell.dialogopen);
    EXPECT_FALSE(prog.shell.pendingwindow || prog.shell.pendingscreen);

    shell::Form2& frozen = prog.shellForms().form2.get();
    frozen.show();
    frozen.Timer1->start(200);
    QCoreApplication::sendEvent(&f, &activate);
    EXPECT_TRUE(prog.shell.dialogopen);
    EXPECT_FALSE(frozen.Timer1->isActive());
}

TEST_F(Form4Test, ButtonsOpenTheirWindowsInFront) {
    Form4& f = form4();
    f.show();
    f.Command8->click();
    f.Command9->click();
    f.Command11->click();
    EXPECT_TRUE(prog.optionsForms().form5->isVisible());
    EXPECT_TRUE(prog.outputForms().form6->isVisible());
    EXPECT_TRUE(prog.autocaptureForms().form20->isVisible());
    EXPECT_EQ(prog.optionsForms().form5->windowHandle()->transientParent(), f.windowHandle());
}

}  // namespace
}  // namespace qv::options
