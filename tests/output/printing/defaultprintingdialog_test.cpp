// The Default Printing window and the page controls it shares with Page Setup.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QScrollBar>
#include <QTest>

#include "options/registrystore.h"
#include "output/printing/defaultpreviewview.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/printing_fixture.h"

namespace qv::output {
namespace {

using printingtests::withNul;

class DefaultPrintingDialogTest : public printingtests::PrintingTest {
protected:
    void useLocale(const char* measurement, const char* separator) {
        fake.locale().measurement = QString::fromUtf8(measurement);
        fake.locale().separator = QString::fromUtf8(separator);
    }
    // A new run of the program on the same settings file, as at the next start.
    void restart() {
        prog.outputWindows().defaultPrinting.destroy();
        prog.output = {};
        prog.optionsWindows().optionsDialog.destroy();
        prog.optionsWindows().optionsDialog.get();
    }
};

TEST_F(DefaultPrintingDialogTest, LoadsTheFirstStartDefaultsOfTheLocale) {
    const struct {
        const char* measurement;
        const char* margin;
        const char* title;
        const char* sign;
    } cases[] = {{"0", "25", "Margins: (mm)", "mm"}, {"1", "1", "Margins: (Inches)", "\""}};
    for (const auto& c : cases) {
        fake.registry().deleteKey(platform::Registry::Root::CurrentUser, options::kProgramKey);
        useLocale(c.measurement, ".");
        restart();
        EXPECT_FALSE(dialogLoaded());
        DefaultPrintingDialog& d = dialog();
        for (QLineEdit* box :
             {d.leftMarginEdit, d.topMarginEdit, d.rightMarginEdit, d.bottomMarginEdit})
            EXPECT_EQ(box->text(), c.margin);
        EXPECT_TRUE(d.portraitButton->isChecked());
        EXPECT_EQ(d.alignmentCombo->currentText(), "Top Left");
        EXPECT_EQ(d.copiesEdit->text(), "1");
        EXPECT_EQ(d.pageControls->marginsGroup->title(), c.title);
        EXPECT_EQ(d.pageControls->bottomUnitLabel->text(), c.sign);
        EXPECT_EQ(d.printerNameLabel->text(), "office");
        EXPECT_EQ(prog.output.previewMargins.left, c.measurement[0] == '0' ? 295.3125 : 300);
        EXPECT_EQ(prog.output.previewPage, QSizeF(2480, 3508));
    }
}

TEST_F(DefaultPrintingDialogTest, AStoredRecordIsLoadedHiddenAtStartUp) {
    writeDefaultRecord({{"12", "07", "30", "40"}, "Landscape", "3", "Bottom Right"}, Units::Metric);
    restart();
    ASSERT_TRUE(dialogLoaded()) << "loaded at start-up";
    DefaultPrintingDialog& d = dialog();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.topMarginEdit->text(), "07");
    EXPECT_TRUE(d.landscapeButton->isChecked());
    EXPECT_EQ(d.copiesEdit->text(), "3");
    EXPECT_EQ(d.copiesBar->value(), -3);
    EXPECT_EQ(d.alignmentCombo->currentText(), "Bottom Right");
    EXPECT_NEAR(prog.output.previewMargins.bottom, 40 * 56.7 / 4.8, 1e-9);
    EXPECT_DOUBLE_EQ(d.previewView->preview().pageBox.width(), 3508 * 0.9) << "drawn landscape";
    EXPECT_EQ(printer().orientationNow, platform::PrintOrientation::Portrait);
}

// Whatever order of metric and US starts, the stored 25 mm margins print where the boxes and the
// preview say: 25 mm from the paper's edges.
TEST_F(DefaultPrintingDialogTest, AUnitChangeAtStartUpPrintsPreviewsAndShowsTheSameMargins) {
    writeDefaultRecord({{"25", "25", "25", "25"}, "Portrait", "1", "Top Left"}, Units::Metric);
    const struct {
        const char* measurement;
        const char* box;
    } starts[] = {{"1", "0.984251968503937"}, {"0", "25"}, {"0", "25"}, {"1", "0.984251968503937"},
                  {"1", "0.984251968503937"}, {"0", "25"}};
    for (const auto& start : starts) {
        const QString what = QStringLiteral("start with measurement %1").arg(start.measurement);
        useLocale(start.measurement, ".");
        restart();
        EXPECT_EQ(dialog().leftMarginEdit->text(), start.box) << what;
        // Shown from its first digits, though longer than the box.
        EXPECT_EQ(dialog().leftMarginEdit->cursorPosition(), 0) << what;
        EXPECT_TRUE(dialog().previewView->preview().frame.has_value()) << what;
        // 1440 twips an inch against 567 a centimetre: a hair apart.
        EXPECT_NEAR(prog.output.previewMargins.left, 25 * 56.7 / 4.8, 0.05) << what;
        captureOf(400, 300);
        fake.dialogs().messages.clear();
        printNow();
        EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText() << what;
        expectPrintedAt({25, 25, 400 * 15 / 56.7, 300 * 15 / 56.7}, what);
    }
}

TEST_F(DefaultPrintingDialogTest, SaveStoresTheSevenValuesAsTypedAndCancelNothing) {
    dialog().show();
    typeMargin(dialog().leftMarginEdit, QStringLiteral("07"));
    dialog().copiesEdit->setText(QStringLiteral("4"));
    dialog().landscapeButton->setChecked(true);
    dialog().alignmentCombo->setCurrentText(QStringLiteral("Centered Right"));
    fake.registry().writes = 0;
    dialog().cancelButton->click();
    EXPECT_EQ(fake.registry().writes, 0);
    EXPECT_EQ(setup().margins.left, "7") << "edits stay in memory after Cancel";
    EXPECT_EQ(setup().copies, "1") << "copies change only by Save";

    fake.registry().setValue(platform::Registry::Root::CurrentUser, pageSetupKey(),
                             QStringLiteral("Units"), withNul("US"));
    dialog().show();
    dialog().saveButton->click();
    EXPECT_FALSE(dialog().isVisible());
    const struct {
        const char* name;
        const char* value;
    } stores[] = {{"TopLeft", "07"},
                  {"Top", "25"},
                  {"Right", "25"},
                  {"Bottom", "25"},
                  {"CopyCount", "4"},
                  {"Orientation", "Landscape"},
                  {"PictureAlignment", "Centered Right"},
                  {"Units", "US"}};
    for (const auto& s : stores)
        EXPECT_EQ(stored(QString::fromUtf8(s.name)), withNul(s.value)) << s.name;
}

TEST_F(DefaultPrintingDialogTest, ActivationReloadsTheRecordButNotTheBoxes) {
    dialog().show();
    typeMargin(dialog().leftMarginEdit, QStringLiteral("40"));
    dialog().landscapeButton->setChecked(true);
    dialog().cancelButton->click();
    EXPECT_EQ(setup().orientation, "Landscape");

    dialog().show();
    dialog().refreshOnActivation();
    EXPECT_EQ(setup().margins.left, "25");
    EXPECT_EQ(setup().orientation, "Portrait");
    EXPECT_EQ(dialog().leftMarginEdit->text(), "40");
    EXPECT_TRUE(dialog().landscapeButton->isChecked());
    EXPECT_TRUE(dialog().saveButton->isDefault());
    EXPECT_TRUE(dialog().saveButton->isEnabled());
}

TEST_F(DefaultPrintingDialogTest, NoPrinterDisablesSaveForGoodAndShowsTheRedLine) {
    printer().removePrinter();
    dialog().show();
    dialog().refreshOnActivation();
    EXPECT_FALSE(dialog().saveButton->isEnabled());
    EXPECT_EQ(dialog().printerErrorLabel->text(), "   Printer Error !!  ");
    EXPECT_EQ(prog.output.previewPage, QSizeF(0, 0));

    printer().queues = {QStringLiteral("office")};
    ASSERT_TRUE(platform::printer().choosePrinter(QStringLiteral("office")));
    typeMargin(dialog().topMarginEdit, QStringLiteral("20"));
    dialog().refreshOnActivation();
    EXPECT_EQ(dialog().printerErrorLabel->text(), "");
    EXPECT_FALSE(dialog().saveButton->isEnabled());
}

TEST_F(DefaultPrintingDialogTest, TheCloseBoxDropsTheWindowAndTheNextUseLoadsItAgain) {
    dialog().show();
    typeMargin(dialog().leftMarginEdit, QStringLiteral("40"));
    captureState().freeze.dialogOpen = true;
    dialog().close();
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    flushDrops();
    EXPECT_FALSE(dialogLoaded());
    EXPECT_EQ(dialog().leftMarginEdit->text(), "25");
}

TEST_F(DefaultPrintingDialogTest, MarginBoxesKeepNumbersOfTheLocale) {
    const struct {
        const char* separator;
        const char* start;
        std::function<void(QLineEdit*)> act;
        const char* box;
    } cases[] = {
        {".", "25", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_X); }, ""},
        {".", "25", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Backspace); }, ""},
        {".", "25", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Comma); }, ""},
        {".", "25", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Period); }, "25."},
        {".", "25", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_7); }, "257"},
        {".", "25",
         [](QLineEdit* b) {
             QTest::keyClick(b, Qt::Key_Home);
             QTest::keyClick(b, Qt::Key_Delete);
         },
         "5"},
        {".", "2.54", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_1); }, "2.54"},
        {",", "2", [](QLineEdit* b) { QTest::keyClicks(b, QStringLiteral(",5")); }, "2,5"},
        {",", "2", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Period); }, ""},
        {".", "25", [](QLineEdit* b) { b->setText(QStringLiteral("abc")); }, ""},
    };
    for (const auto& c : cases) {
        useLocale("0", c.separator);
        restart();
        QLineEdit* box = dialog().leftMarginEdit;
        box->setText(QString::fromUtf8(c.start));
        box->setCursorPosition(box->text().size());
        c.act(box);
        EXPECT_EQ(box->text(), c.box) << c.start << " separator " << c.separator;
    }

    // Leaving the box: empty becomes "0", the number is written back in its shortest form.
    useLocale("0", ",");
    restart();
    typeMargin(dialog().leftMarginEdit, QString());
    EXPECT_EQ(dialog().leftMarginEdit->text(), "0");
    EXPECT_EQ(prog.output.previewMargins.left, 0);
    typeMargin(dialog().leftMarginEdit, QStringLiteral("2,50"));
    EXPECT_EQ(setup().margins.left, "2,5");
    EXPECT_DOUBLE_EQ(prog.output.previewMargins.left, 0.25 * 567 / 4.8);
    EXPECT_EQ(dialog().leftMarginEdit->text(), "2,50");
}

TEST_F(DefaultPrintingDialogTest, CopiesBoxAndBarFollowEachOther) {
    QLineEdit* box = dialog().copiesEdit;
    QScrollBar* bar = dialog().copiesBar;
    const struct {
        const char* typed;
        const char* box;
        int bar;
    } cases[] = {
        {"12", "12", -12},
        {"0", "0", -12},
        {"", "1", -1},
        {"2", "2", -2},
        // Typed after "2": the bar already stands at -2, so the box keeps the fraction.
        {"2.5", "2.5", -2},
        {"1001", "1001", -2},
        {"x", "1", -1},
        {"1000", "1000", -1000},
    };
    for (const auto& c : cases) {
        box->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(box->text(), c.box) << c.typed;
        EXPECT_EQ(bar->value(), c.bar) << c.typed;
    }
    box->setText(QStringLiteral("999"));
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(box->text(), "1000") << "up raises the count";
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(box->text(), "1000");
    box->setText(QStringLiteral("2"));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(box->text(), "1");
    EXPECT_EQ(copiesFromText(QStringLiteral("12")), 12);
}

}  // namespace
}  // namespace qv::output
