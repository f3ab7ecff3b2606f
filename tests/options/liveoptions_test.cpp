#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <functional>

#include "options/settingsstore.h"
#include "options/windows.h"
#include "output/pastingapplication.h"
#include "shell/capture_fixture.h"
#include "support/inprocessconverter.h"

namespace qv::options {
namespace {

using shell::CanvasShape;

// Every control of the Options window: its edit is in force before Apply, stays in force
// after Cancel without being stored, is shown again at the next opening, and Apply or OK
// store it.
class LiveOptionsTest : public fakes::ProgramTest {
protected:
    OptionsDialog& optionsDialog() {
        prog.shellWindows().mainWindow.get();
        return prog.optionsWindows().optionsDialog.get();
    }
};

TEST_F(LiveOptionsTest, EveryEditIsInForceAtOnceCancelKeepsItUnstoredApplyAndOkStoreIt) {
    struct Row {
        const char* control;
        std::function<void(OptionsDialog&)> edit;
        std::function<bool(const Settings&)> holds;
    };
    auto answerPath = [this](const char* path) { fake.dialogs().paths.push_back(path); };
    const Row rows[] = {
        {"Default Save to", [](OptionsDialog& f) { f.saveFolderEdit->setText("/tmp/live"); },
         [](const Settings& s) { return s.saveFolder == "/tmp/live"; }},
        {"Browse... for the folder",
         [&](OptionsDialog& f) {
             answerPath("/tmp/chosen");
             f.browseSaveFolderButton->click();
         },
         [](const Settings& s) { return s.saveFolder == "/tmp/chosen"; }},
        {"Increment File Name", [](OptionsDialog& f) { f.incrementNameButton->setChecked(true); },
         [](const Settings& s) { return s.naming == SaveNaming::Increment; }},
        {"Filename", [](OptionsDialog& f) { f.fileNamePrefixEdit->setText("Live_"); },
         [](const Settings& s) { return s.fileNamePrefix == "Live_"; }},
        {"Select Name...",
         [&](OptionsDialog& f) {
             answerPath("/tmp/chosen/picked.bmp");
             f.selectNameButton->click();
         },
         [](const Settings& s) { return s.fileNamePrefix == "picked.bmp"; }},
        {"Format", [](OptionsDialog& f) { f.formatCombo->setCurrentText(".jpg"); },
         [](const Settings& s) { return s.format == ImageFormat::Jpg; }},
        {"Default Application for Pasting",
         [](OptionsDialog& f) { f.pastingAppEdit->setText("gimp"); },
         [](const Settings& s) {
             return s.pastingAppPath == "gimp" && s.pastingAppName == "gimp";
         }},
        {"Bro&wse... for the application",
         [&](OptionsDialog& f) {
             answerPath("/opt/tools/paint");
             f.browsePastingAppButton->click();
         },
         [](const Settings& s) {
             return s.pastingAppPath == "/opt/tools/paint" && s.pastingAppName == "paint";
         }},
        {"Always Launch a new Instance",
         [](OptionsDialog& f) { f.newInstanceButton->setChecked(true); },
         [](const Settings& s) { return s.pastingLaunch == PastingLaunch::NewInstance; }},
        {"Outline Dotted", [](OptionsDialog& f) { f.dottedOutlineButton->setChecked(true); },
         [](const Settings& s) { return s.outline == FrameOutline::Dotted; }},
        {"Choose Outline Color...",
         [this](OptionsDialog& f) {
             fake.dialogs().colors.push_back(QColor(0, 255, 0));
             f.chooseColorButton->click();
         },
         [](const Settings& s) { return s.frameColor == 0x00FF00; }},
        {"Always Include Outline", [](OptionsDialog& f) { f.includeOutlineBox->setChecked(true); },
         [](const Settings& s) { return s.includeOutline; }},
        {"Autocopy to Clipboard", [](OptionsDialog& f) { f.autoCopyBox->setChecked(false); },
         [](const Settings& s) { return !s.autoCopy; }},
        {"Release Desktop after Capture",
         [](OptionsDialog& f) { f.releaseAfterCaptureBox->setChecked(true); },
         [](const Settings& s) { return s.releaseAfterCapture && s.autoCopy; }},
        {"Auto Popup context Menu", [](OptionsDialog& f) { f.autoPopupMenuBox->setChecked(true); },
         [](const Settings& s) { return s.autoPopupMenu; }},
        {"Show Current Size", [](OptionsDialog& f) { f.showCurrentSizeBox->setChecked(true); },
         [](const Settings& s) { return s.showCurrentSize; }},
        {"Play Sound", [](OptionsDialog& f) { f.soundFileEdit->setText("/sounds/live.wav"); },
         [](const Settings& s) { return s.soundFile == "/sounds/live.wav"; }},
    };
    OptionsDialog& f = optionsDialog();
    bool byOk = false;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        f.show();
        const int writes = fake.registry().writes;
        row.edit(f);
        EXPECT_TRUE(row.holds(prog.options.settings)) << "in force before Apply";
        f.cancelButton->click();
        EXPECT_TRUE(row.holds(prog.options.settings)) << "still in force after Cancel";
        EXPECT_EQ(fake.registry().writes, writes) << "Cancel stores nothing";
        EXPECT_FALSE(row.holds(SettingsStore().load()));
        f.show();
        EXPECT_TRUE(row.holds(f.editedSettings())) << "the next opening shows it";
        (byOk ? f.okButton : f.applyButton)->click();
        byOk = !byOk;
        EXPECT_TRUE(row.holds(SettingsStore().load())) << "stored";
        EXPECT_EQ(f.editedSettings(), prog.options.settings);
    }
}

// What the program does follows an edit of the Options window before Apply and after Cancel.
class LiveOptionsActionTest : public shell::capturetests::AreaTest {
protected:
    LiveOptionsActionTest() { testsupport::runConverterInProcess(fake.process()); }

    // A new frozen screen and an area dragged on it.
    void captureArea() {
        mainWindow().resetAfterRelease();
        freeze();
        drag({100, 100}, {300, 200});
    }
    QTemporaryDir dir_;
};

TEST_F(LiveOptionsActionTest, TheNextCaptureAndOutputFollowAnEditWithoutApply) {
    struct Row {
        const char* control;
        std::function<void(OptionsDialog&)> edit;
        std::function<bool()> acted;  // does the program act as the edit asks?
    };
    const QString folder = dir_.path();
    const Row rows[] = {
        {"Show Current Size", [](OptionsDialog& f) { f.showCurrentSizeBox->setChecked(true); },
         [&] {
             captureArea();
             return frozenScreen().sizeReadout->isVisible();
         }},
        {"Choose Outline Color...",
         [&](OptionsDialog& f) {
             fake.dialogs().colors.push_back(QColor(0, 255, 0));
             f.chooseColorButton->click();
         },
         [&] {
             captureArea();
             return frozenScreen().band->borderColor() == QColor(0, 255, 0);
         }},
        {"Outline Dotted", [](OptionsDialog& f) { f.dottedOutlineButton->setChecked(true); },
         [&] {
             captureArea();
             return frozenScreen().band->borderStyle() == CanvasShape::Dot;
         }},
        {"Play Sound", [](OptionsDialog& f) { f.soundFileEdit->setText("/sounds/live.wav"); },
         [&] {
             captureArea();
             return fake.sound().played.back() == "/sounds/live.wav";
         }},
        {"Saving Options",
         [&](OptionsDialog& f) {
             f.saveFolderEdit->setText(folder);
             f.incrementNameButton->setChecked(true);
             f.fileNamePrefixEdit->setText("Live_");
             f.formatCombo->setCurrentText(".png");
         },
         [&] {
             captureArea();
             mainWindow().saveToDefaultFolderItem->trigger();
             return !QDir(folder).entryList({"Live_*.png"}).isEmpty();
         }},
        {"Default Application for Pasting",
         [](OptionsDialog& f) { f.pastingAppEdit->setText("/opt/tools/paint"); },
         [&] {
             output::startPastingApplication();
             return fake.shell().started.back().program == "/opt/tools/paint";
         }},
        {"Autocopy to Clipboard", [](OptionsDialog& f) { f.autoCopyBox->setChecked(false); },
         [&] {
             fake.clipboard().imageContent = QImage();
             captureArea();
             return fake.clipboard().imageContent.isNull();
         }},
        {"Release Desktop after Capture",
         [](OptionsDialog& f) { f.releaseAfterCaptureBox->setChecked(true); },
         [&] {
             captureArea();
             return !captureState().freeze.desktopFrozen;
         }},
        {"Auto Popup context Menu", [](OptionsDialog& f) { f.autoPopupMenuBox->setChecked(true); },
         [&] {
             answerNextMenu();
             captureArea();
             menuAnswer.stop();
             return popped == mainWindow().contextMenu;
         }},
    };
    OptionsDialog& f = prog.optionsWindows().optionsDialog.get();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        EXPECT_FALSE(row.acted()) << "not before the edit";
        f.show();
        row.edit(f);
        EXPECT_TRUE(row.acted()) << "before Apply";
        f.cancelButton->click();
        EXPECT_TRUE(row.acted()) << "after Cancel";
        flushDrops();
    }
    EXPECT_FALSE(SettingsStore::stored());
}

}  // namespace
}  // namespace qv::options
