// The Page Setup window: its preview numbers, its lifecycle, Printer Setup and its print.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "output/printing/currentpreview.h"
#include "output/printing/currentpreviewview.h"
#include "output/printing/pagesetupdialog.h"
#include "output/printing/pagesetupprint.h"
#include "output/printing/printing_fixture.h"
#include "platform/linux/qtprinter.h"
#include "support/pdfreader.h"

namespace qv::output {
namespace {

using platform::PrinterChoice;
using platform::PrintOrientation;

// The fake A4 printer at 600 dpi, 25 mm margins, a 96 DPI screen.
CurrentPreviewInput a4(QSize capture, const char* alignment) {
    CurrentPreviewInput in;
    in.page = {4960, 7016, 2.4, 2.4};
    in.margins = {"25", "25", "25", "25"};
    in.units = in.readoutUnits = Units::Metric;
    in.decimalSeparator = QStringLiteral(".");
    in.capture = capture;
    in.alignment = QString::fromUtf8(alignment);
    return in;
}

TEST(CurrentPreviewTest, PageFrameBoxAndReadout) {
    const CurrentPreview empty = computeCurrentPreview(a4({}, "Top Left"));
    EXPECT_DOUBLE_EQ(empty.page.width(), 2480);
    EXPECT_DOUBLE_EQ(empty.page.height(), 3508);
    EXPECT_DOUBLE_EQ(empty.margins.left, 295.3125);
    EXPECT_DOUBLE_EQ(empty.frame.left(), 265.78125);
    EXPECT_DOUBLE_EQ(empty.frame.right(), 1951.21875);
    EXPECT_DOUBLE_EQ(empty.frame.bottom(), 2881.41875);
    EXPECT_FALSE(empty.captureBox) << "without a capture the box is hidden";
    EXPECT_TRUE(empty.readout.isEmpty());

    const struct {
        QSize capture;
        const char* alignment;
        QRectF box;
        const char* readout;
    } cases[] = {
        {{400, 300},
         "Top Left",
         {265.78, 265.78, 1125, 843.75},
         "Print Size :  10.58  X  7.94  cm"},
        {{400, 300},
         "Centered",
         {546.0, 1151.72, 1125, 843.75},
         "Print Size :  10.58  X  7.94  cm"},
        {{400, 300}, "Bottom Right", {826.22, 2037.67, 1125, 843.75}, nullptr},
        {{400, 300}, "Nowhere", {265.78, 265.78, 1125, 843.75}, nullptr},
        {{800, 300},
         "Bottom Right",
         {265.78, 2249.38, 1685.44, 632.04},
         "Print Size :  15.99  X  6  cm"},
        {{1920, 1080}, "Centered", {265.78, 1099.57, 1685.44, 948.06}, nullptr},
    };
    for (const auto& c : cases) {
        const CurrentPreview p = computeCurrentPreview(a4(c.capture, c.alignment));
        ASSERT_TRUE(p.captureBox) << c.alignment;
        const QRectF b = *p.captureBox;
        EXPECT_NEAR(b.x(), c.box.x(), 0.01) << c.alignment;
        EXPECT_NEAR(b.y(), c.box.y(), 0.01) << c.alignment;
        EXPECT_NEAR(b.width(), c.box.width(), 0.01) << c.alignment;
        EXPECT_NEAR(b.height(), c.box.height(), 0.01) << c.alignment;
        if (c.readout) {
            EXPECT_EQ(p.readout, c.readout);
        }
    }
}

TEST(CurrentPreviewTest, BottomRightTouchesTheFrameInEveryFit) {
    for (const QSize capture : {QSize(400, 300), QSize(800, 300), QSize(300, 1200),
                                QSize(1920, 1080), QSize(899, 1395)}) {
        const CurrentPreview p = computeCurrentPreview(a4(capture, "Bottom Right"));
        ASSERT_TRUE(p.captureBox);
        EXPECT_NEAR(p.captureBox->right(), p.frame.right(), 1e-9) << capture.width();
        EXPECT_NEAR(p.captureBox->bottom(), p.frame.bottom(), 1e-9) << capture.width();
        EXPECT_TRUE(p.frame.contains(*p.captureBox) || p.frame == *p.captureBox);
    }
}

TEST(CurrentPreviewTest, ReadoutUnitsShapesAndNoRoom) {
    CurrentPreviewInput us = a4({400, 280}, "Top Left");
    us.units = us.readoutUnits = Units::US;
    us.margins = {"1", "1", "1", "1"};
    EXPECT_EQ(computeCurrentPreview(us).readout, "Print Size :  4.17  X  2.92  inches");
    EXPECT_DOUBLE_EQ(computeCurrentPreview(us).margins.left, 300);

    CurrentPreviewInput circle = a4({400, 400}, "Top Left");
    circle.circle = true;
    EXPECT_EQ(computeCurrentPreview(circle).readout, "Print Size Diameter :  10.58  cm");

    CurrentPreviewInput comma = a4({400, 300}, "Top Left");
    comma.decimalSeparator = QStringLiteral(",");
    comma.margins = {"12,5", "25", "25", "25"};
    EXPECT_EQ(computeCurrentPreview(comma).readout, "Print Size :  10,58  X  7,94  cm");
    EXPECT_DOUBLE_EQ(computeCurrentPreview(comma).margins.left, 147.65625);

    CurrentPreviewInput noRoom = a4({400, 300}, "Top Left");
    noRoom.margins = {"120", "25", "120", "25"};
    EXPECT_FALSE(computeCurrentPreview(noRoom).captureBox);
    EXPECT_TRUE(computeCurrentPreview(noRoom).readout.isEmpty());
}

TEST(PageSetupPrintTest, PrinterSettingsFromTheSetupOrTheWindow) {
    const struct {
        int setupCopies;
        const char* copiesBox;
        int copies;
    } cases[] = {{3, "5", 3}, {0, "5", 5},       {0, "2.5", 2}, {0, "0", 1},
                 {0, "x", 1}, {0, "5000", 1000}, {-2, "5", 1},  {4000, "5", 1000}};
    for (const auto& c : cases) {
        fakes::FakePrinter printer;
        PrinterSetup setup;
        setup.copies = c.setupCopies;
        EXPECT_EQ(preparePageSetupPrinter(printer, setup, QString::fromUtf8(c.copiesBox),
                                          PrintOrientation::Landscape),
                  c.copies)
            << c.copiesBox;
        EXPECT_EQ(printer.copiesNow, c.copies);
        EXPECT_EQ(printer.orientationNow, PrintOrientation::Landscape);
    }
    // Zero leaves the printer's own; a chosen value reaches it.
    fakes::FakePrinter printer;
    printer.source = 7;
    preparePageSetupPrinter(printer, PrinterSetup{}, "1", PrintOrientation::Portrait);
    EXPECT_EQ(printer.source, 7);
    EXPECT_EQ(printer.paper.id(), QPageSize::A4);
    EXPECT_EQ(printer.duplexNow, platform::PrintDuplex::Simplex);
    PrinterSetup chosen;
    chosen.paperSize = QPageSize(QPageSize::Letter);
    chosen.paperSource = 2;
    chosen.colorMode = int(platform::PrintColorMode::Monochrome);
    chosen.duplex = int(platform::PrintDuplex::LongSide);
    preparePageSetupPrinter(printer, chosen, "1", PrintOrientation::Portrait);
    EXPECT_EQ(printer.paper.id(), QPageSize::Letter);
    EXPECT_EQ(printer.source, 2);
    EXPECT_EQ(printer.color, platform::PrintColorMode::Monochrome);
    EXPECT_EQ(printer.duplexNow, platform::PrintDuplex::LongSide);
}

class PageSetupTest : public printingtests::PrintingTest {
protected:
    PageSetupTest() {
        captureOf(400, 300);
        captureState().captureValid = true;
    }
    void open() { mainWindow().showPageSetup(); }
    bool loaded() { return prog.outputWindows().pageSetup.exists(); }
    PageSetupDialog& window() { return prog.outputWindows().pageSetup.get(); }
    Margins margins(const char* l, const char* t, const char* r, const char* b) {
        return {l, t, r, b};
    }
};

TEST_F(PageSetupTest, OpensOverTheFrozenScreenWithTheStoredMargins) {
    open();
    ASSERT_TRUE(loaded());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(captureState().freeze.dialogOpen);
    EXPECT_EQ(window().windowTitle(), "Page Setup");
    EXPECT_EQ(window().printerNameLabel->text(), "office");
    EXPECT_EQ(window().leftMarginEdit->text(), "25");
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("25"));
    EXPECT_EQ(window().alignmentCombo->currentText(), "Top Left");
    EXPECT_TRUE(window().portraitButton->isChecked());
    EXPECT_EQ(window().printSizeLabel->text(), "Print Size :  10.58  X  7.94  cm");
    EXPECT_TRUE(window().printButton->isEnabled());
    EXPECT_TRUE(window().okButton->isEnabled());

    // Every activation puts the stored margins back; the preview converts nothing twice.
    printingtests::PrintingTest::typeMargin(window().leftMarginEdit, QStringLiteral("40"));
    EXPECT_DOUBLE_EQ(window().previewView->preview().margins.left, 40 * 56.7 / 4.8);
    window().updatePreview();
    window().updatePreview();
    EXPECT_DOUBLE_EQ(window().previewView->preview().margins.left, 40 * 56.7 / 4.8);
    window().refreshOnActivation();
    EXPECT_EQ(window().leftMarginEdit->text(), "25");
}

TEST_F(PageSetupTest, OkStoresCancelDropsPrintHides) {
    prog.output.defaultPageSetup.alignment = QStringLiteral("Centered Right");
    open();
    window().leftMarginEdit->setText(QStringLiteral("07"));
    window().alignmentCombo->setCurrentText(QStringLiteral("Centered"));
    window().okButton->click();
    EXPECT_FALSE(loaded());
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("07")) << "as typed";
    EXPECT_EQ(stored("CurrpAlignment"), printingtests::withNul("Centered"));
    EXPECT_EQ(prog.output.defaultPageSetup.alignment, "Centered Right");
    flushDrops();

    // A new window starts on "Top Left"; Cancel stores nothing.
    open();
    EXPECT_EQ(window().alignmentCombo->currentText(), "Top Left");
    EXPECT_EQ(window().leftMarginEdit->text(), "07");
    window().leftMarginEdit->setText(QStringLiteral("9"));
    window().alignmentCombo->setCurrentText(QStringLiteral("Bottom Right"));
    window().cancelButton->click();
    EXPECT_FALSE(loaded());
    EXPECT_FALSE(captureState().freeze.dialogOpen);
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("07"));
    EXPECT_EQ(stored("CurrpAlignment"), printingtests::withNul("Centered"));
    flushDrops();

    // Print uses what is typed, stores nothing and only hides: the selection stays.
    open();
    typeMargin(window().leftMarginEdit, QStringLiteral("40"));
    window().alignmentCombo->setCurrentText(QStringLiteral("Centered"));
    window().printButton->click();
    EXPECT_TRUE(loaded());
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(captureState().freeze.dialogOpen);
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("07"));
    ASSERT_EQ(printer().pages.size(), 1u) << fake.dialogs().lastText();
    // Everything in twips as the page setup counts them: 567 to the centimetre.
    const double pageW = 4960 * 2.4 / 56.7, pageH = 7016 * 2.4 / 56.7;
    const double w = 400 * 15 / 56.7, h = 300 * 15 / 56.7;
    expectPrintedAt({40 + (pageW - 65 - w) / 2, 25 + (pageH - 50 - h) / 2, w, h}, "typed");
    open();
    EXPECT_EQ(window().alignmentCombo->currentText(), "Centered");
}

TEST_F(PageSetupTest, PrintsAtTheMarginsAndReleasesOnlyAfterSuccess) {
    settings().releaseAfterCapture = true;
    open();
    printer().failNext = platform::PrintFailure{482, QStringLiteral("Out of paper")};
    window().printButton->click();
    EXPECT_EQ(fake.dialogs().lastText(), "Error: 482  Out of paper !!");
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(captureState().freeze.desktopFrozen) << "the capture is kept";

    open();
    window().copiesEdit->setText(QStringLiteral("2"));
    EXPECT_EQ(printer().copiesNow, 2) << "the box sets the printer at every change";
    window().printButton->click();
    expectPrintedAt({25, 25, 400 * 15 / 56.7, 300 * 15 / 56.7}, "at the margins");
    EXPECT_EQ(lastPage().copies, 2);
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
}

TEST_F(PageSetupTest, NoRoomIsAnErrorAndHidesTheBox) {
    open();
    typeMargin(window().leftMarginEdit, QStringLiteral("120"));
    typeMargin(window().rightMarginEdit, QStringLiteral("120"));
    EXPECT_FALSE(window().previewView->preview().captureBox);
    EXPECT_TRUE(window().printSizeLabel->text().isEmpty());
    window().printButton->click();
    EXPECT_EQ(fake.dialogs().lastText(),
              "Error: 1003  The margins leave no room for the picture !!");
    EXPECT_TRUE(printer().pages.empty());
}

// CTRL+R while the window is open: it goes with the frozen screen, and a print asked for with
// no capture left says so, never that the margins leave no room.
TEST_F(PageSetupTest, AReleaseClosesTheWindowAndNoCaptureIsNamedAsSuch) {
    for (int round = 0; round < 2; ++round) {
        captureOf(400, 300);
        open();
        ASSERT_TRUE(window().isVisible());
        mainWindow().releaseDesktop();
        flushDrops();
        EXPECT_FALSE(loaded()) << round;
    }

    captureOf(400, 300);
    open();
    session().buffer = QImage();
    EXPECT_FALSE(window().printNow());
    EXPECT_EQ(fake.dialogs().lastText(), "Error: 1005  There is no capture to print !!");
    fake.dialogs().messages.clear();
    mainWindow().printToDefaultPrinter();
    EXPECT_EQ(fake.dialogs().lastText(), "Error: 1005  There is no capture to print !!");
    fake.dialogs().messages.clear();
    PrinterChoice office;
    office.printer = QStringLiteral("office");
    printer().dialogAnswers.push_back(office);
    mainWindow().printCapture();
    EXPECT_EQ(fake.dialogs().lastText(), "Error: 1005  There is no capture to print !!");
    EXPECT_TRUE(printer().pages.empty());
}

TEST_F(PageSetupTest, ButtonsWithoutPrinterOrCapture) {
    const struct {
        const char* what;
        std::function<void()> arrange;
        bool ok;
        bool print;
    } cases[] = {
        {"no printer", [this] { printer().removePrinter(); }, false, false},
        {"no capture",
         [this] {
             printer().queues = {QStringLiteral("office")};
             printer().choosePrinter(QStringLiteral("office"));
             captureState().freeze.captureAvailable = false;
         },
         true, false},
    };
    for (const auto& c : cases) {
        c.arrange();
        open();
        EXPECT_EQ(window().okButton->isEnabled(), c.ok) << c.what;
        EXPECT_EQ(window().printButton->isEnabled(), c.print) << c.what;
        window().cancelButton->click();
        flushDrops();
    }
    printer().removePrinter();
    open();
    EXPECT_EQ(window().printerErrorLabel->text(), "   Printer Error !!  ");
}

TEST_F(PageSetupTest, ReturnPrintsAfterPrinterSetupReturned) {
    open();
    QApplication::setActiveWindow(&window());
    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "a printer chosen" : "cancelled");
        PrinterChoice office;
        office.printer = QStringLiteral("office");
        printer().dialogAnswers.push_back(chosen ? std::optional(office) : std::nullopt);
        QTest::mouseClick(window().printerSetupButton, Qt::LeftButton);
        ASSERT_EQ(printer().dialogsShown.size(), chosen ? 2u : 1u);
        // The setup dialog closes and the window is active again, the focus back on the button.
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&window());
        ASSERT_EQ(QApplication::focusWidget(), window().printerSetupButton);
        EXPECT_TRUE(window().printButton->isDefault());
        EXPECT_FALSE(window().printerSetupButton->isDefault());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(printer().dialogsShown.size(), 2u) << "Return opened Printer Setup again";
    EXPECT_EQ(printer().pages.size(), 1u) << "Return did not print";
    EXPECT_FALSE(window().isVisible());
}

TEST_F(PageSetupTest, PrinterSetupTakesThePrinterAndItsPage) {
    open();
    printer().queues << QStringLiteral("lab");
    printer().dialogAnswers.push_back(std::nullopt);
    window().printerSetupButton->click();
    EXPECT_EQ(printer().dialogsShown.back().kind, platform::PrintDialogKind::Setup);
    EXPECT_EQ(printer().dialogsShown.back().owner, &window());
    EXPECT_EQ(window().printerNameLabel->text(), "office") << "cancel changes nothing";
    EXPECT_FALSE(window().chosenPortraitPage());

    PrinterChoice lab;
    lab.printer = QStringLiteral("lab");
    lab.copies = 3;
    lab.orientation = int(PrintOrientation::Landscape);
    printer().dialogAnswers.push_back(lab);
    window().printerSetupButton->click();
    EXPECT_EQ(window().printerNameLabel->text(), "lab");
    EXPECT_EQ(window().copiesEdit->text(), "3");
    EXPECT_TRUE(window().landscapeButton->isChecked());
    ASSERT_TRUE(window().chosenPortraitPage());
    EXPECT_DOUBLE_EQ(window().chosenPortraitPage()->width(), 2480);
    EXPECT_DOUBLE_EQ(window().chosenPortraitPage()->height(), 3508);
    EXPECT_EQ(prog.output.printerSetup.copies, 3);

    // Portrait then Landscape again: the page comes from the kept sides, factors 4.8.
    window().portraitButton->setChecked(true);
    window().landscapeButton->setChecked(true);
    const PageMetrics page = prog.output.pageMetrics;
    EXPECT_NEAR(page.width * page.factorX / 567, 29.697, 0.001);
    EXPECT_NEAR(page.height * page.factorY / 567, 20.995, 0.001);

    // The copies of the printer setup win over the box.
    window().copiesEdit->setText(QStringLiteral("5"));
    window().printButton->click();
    EXPECT_EQ(lastPage().printer, "lab");
    EXPECT_EQ(lastPage().copies, 3);
    EXPECT_EQ(lastPage().orientation, PrintOrientation::Landscape);

    // A printer the system cannot reach.
    open();
    PrinterChoice ghost;
    ghost.printer = QStringLiteral("ghost");
    printer().removePrinter();
    printer().dialogAnswers.push_back(ghost);
    window().printerSetupButton->click();
    EXPECT_EQ(fake.dialogs().lastText(),
              "Error: Cannot connect to selected printer, please terminate and restart "
              "Quorvalline !");
    EXPECT_EQ(fake.dialogs().messages.back().title, "Quorvalline");
}

// The real printer service on a PDF file: Page Setup's print lands where the margins say, and
// landscape turns the page.
TEST_F(PageSetupTest, PrintsOnARealPrinter) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pagesetup.pdf"));
    fake.services().printer = platform::QtPrinter::onPdfFile(pdf);
    const struct {
        bool landscape;
        QSizeF pagePt;
    } cases[] = {{false, {595, 842}}, {true, {842, 595}}};
    for (const auto& c : cases) {
        open();
        (c.landscape ? window().landscapeButton : window().portraitButton)->setChecked(true);
        window().printButton->click();
        ASSERT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();
        const auto facts = testsupport::readPdfFacts(pdf);
        EXPECT_NEAR(facts.pageSizePt.width(), c.pagePt.width(), 1);
        EXPECT_NEAR(facts.pageSizePt.height(), c.pagePt.height(), 1);
        const QRectF ink = testsupport::inkBoxMm(testsupport::renderPdfPage(pdf, 1, 200), 200);
        EXPECT_NEAR(ink.x(), 25, 0.3);
        EXPECT_NEAR(ink.y(), 25, 0.3);
        EXPECT_NEAR(ink.width(), 105.83, 0.3);
        EXPECT_NEAR(ink.height(), 79.375, 0.3);
    }
}

}  // namespace
}  // namespace qv::output
