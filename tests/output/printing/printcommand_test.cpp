// Print...: the print dialog answered by the fake printer, the capture placed in printer dots.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/printing/printcommand.h"
#include "output/printing/printing_fixture.h"
#include "platform/linux/qtprinter.h"
#include "support/pdfreader.h"

namespace qv::output {
namespace {

using platform::PrintDialogKind;
using platform::PrinterChoice;
using platform::PrintOrientation;

PrinterChoice printerChoice(const char* name) {
    PrinterChoice c;
    c.printer = QString::fromUtf8(name);
    return c;
}

class PrintCommandTest : public printingtests::PrintingTest {
protected:
    void answer(std::optional<PrinterChoice> choice) {
        printer().dialogAnswers.push_back(std::move(choice));
    }
    void printWith(std::optional<PrinterChoice> choice) {
        answer(std::move(choice));
        mainWindow().printCapture();
    }
};

// Dots at 600 dpi into millimetres.
constexpr double mm(double dots) {
    return dots * 25.4 / 600;
}

TEST_F(PrintCommandTest, PlacesInPrinterDotsWithTheStoredMarginsAndAlignment) {
    const struct {
        QSize capture;
        const char* alignment;  // nullptr: none stored
        QRectF dots;
    } cases[] = {
        {{400, 300}, nullptr, {590.625, 590.625, 2500, 1875}},
        {{400, 300}, "Top Left", {590.625, 590.625, 2500, 1875}},
        {{400, 300}, "Bottom Right", {1859.375, 4540.375, 2500, 1875}},
        {{400, 300}, "Centered", {590.625 + 634.375, 590.625 + 1974.875, 2500, 1875}},
        {{1920, 1080}, "Top Left", {590.625, 590.625, 3768.75, 2119.921875}},
        {{1920, 1080},
         "Bottom Right",
         {590.625, 590.625 + 5824.75 - 2119.921875, 3768.75, 2119.921875}},
    };
    for (const auto& c : cases) {
        if (c.alignment)
            writeCurrentRecord(readCurrentMargins(), QString::fromUtf8(c.alignment));
        captureOf(c.capture.width(), c.capture.height());
        printWith(printerChoice("office"));
        const QString what = QString::fromUtf8(c.alignment ? c.alignment : "none stored");
        ASSERT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();
        expectPrintedAt({mm(c.dots.x()), mm(c.dots.y()), mm(c.dots.width()), mm(c.dots.height())},
                        what);
    }
    EXPECT_NEAR(lastPage().targetMm.x(), 25, 0.01);
    EXPECT_EQ(printer().dialogsShown.back().kind, PrintDialogKind::Print);
    EXPECT_EQ(printer().dialogsShown.back().owner, &frozenScreen());
}

TEST_F(PrintCommandTest, MarginsByUnitsFirstUseAndConversion) {
    // First use stores the locale's margins, without an alignment.
    captureOf(400, 300);
    printWith(printerChoice("office"));
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("25"));
    EXPECT_EQ(stored("CurrpAlignment"), "<none>");
    expectPrintedAt({mm(590.625), mm(590.625), mm(2500), mm(1875)}, "metric first use");

    // The locale turned to inches: the stored millimetres convert once, and print the same.
    prog.output.currentUnits = prog.output.localeUnits = Units::US;
    prog.output.storedUnits = Units::Metric;
    prog.output.unitsChanged = true;
    for (int run = 0; run < 2; ++run) {
        printWith(printerChoice("office"));
        EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("0.984251968503937")) << run;
        EXPECT_FALSE(prog.output.unitsChanged);
        expectPrintedAt({25, 25, mm(2500), mm(1875)}, QStringLiteral("converted %1").arg(run));
    }
}

TEST_F(PrintCommandTest, UsFirstUseIsOneInch) {
    captureOf(400, 300);
    fake.locale().measurement = QStringLiteral("1");
    prog.output.currentUnits = prog.output.localeUnits = Units::US;
    captureOf(400, 300);
    printWith(printerChoice("office"));
    EXPECT_EQ(stored("CurrpTopLeft"), printingtests::withNul("1"));
    expectPrintedAt({mm(600), mm(600), mm(2500), mm(1875)}, "1 inch");
}

TEST_F(PrintCommandTest, CancelDoesNothing) {
    settings().releaseAfterCapture = true;
    captureOf(400, 300);
    printWith(std::nullopt);
    EXPECT_TRUE(printer().pages.empty());
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_TRUE(captureState().freeze.desktopFrozen);
    EXPECT_TRUE(printer().chosen.isEmpty());
}

TEST_F(PrintCommandTest, AChosenPrinterStaysForTheRunAFileDoesNot) {
    printer().queues << QStringLiteral("lab");
    captureOf(400, 300);
    PrinterChoice lab = printerChoice("lab");
    lab.copies = 3;
    lab.orientation = int(PrintOrientation::Landscape);
    printWith(lab);
    EXPECT_EQ(lastPage().printer, "lab");
    EXPECT_EQ(lastPage().copies, 3);
    EXPECT_EQ(lastPage().orientation, PrintOrientation::Landscape);
    EXPECT_TRUE(prog.output.printerSetup.usable);
    EXPECT_DOUBLE_EQ(prog.output.pageMetrics.width, 7016) << "the page as the printer turned it";

    PrinterChoice file;
    file.file = QStringLiteral("/tmp/one.pdf");
    file.copies = 5000;
    printWith(file);
    EXPECT_EQ(lastPage().printer, "/tmp/one.pdf");
    EXPECT_EQ(lastPage().copies, 1000) << "clamped";
    EXPECT_EQ(platform::printer().deviceName(), "lab") << "a file is for one print only";

    mainWindow().printToDefaultPrinter();
    EXPECT_EQ(lastPage().printer, "lab");
    EXPECT_EQ(prog.outputWindows().defaultPrinting->printerNameLabel->text(), "lab");
}

TEST_F(PrintCommandTest, FailuresAreShownAndReleaseNothingSuccessReleases) {
    settings().releaseAfterCapture = true;
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"refused page",
         [this] {
             printer().failNext = platform::PrintFailure{482, QStringLiteral("Out of paper")};
         },
         "Error: 482  Out of paper !!"},
        {"no room",
         [] {
             writeCurrentRecord({"25", "25", "200", "25"}, std::nullopt);
         },
         "Error: 1003  The margins leave no room for the picture !!"},
        {"no resolution",
         [this] {
             writeCurrentRecord({"25", "25", "25", "25"}, std::nullopt);
             printer().dpi = 0;
         },
         "Error: 482  The printer office reports no resolution !!"},
        {"unknown printer", [this] { printer().removePrinter(); },
         "Error: 482  No printer is set up on this system !!"},
    };
    for (const auto& c : cases) {
        captureOf(400, 300);
        c.arrange();
        fake.dialogs().messages.clear();
        printWith(printerChoice("office"));
        ASSERT_NO_FATAL_FAILURE(expectPrintFailure(c.message, c.what));
        EXPECT_NE(frozenScreen().cursor().shape(), Qt::WaitCursor) << c.what;
    }
    printer().queues = {QStringLiteral("office")};
    printer().dpi = 600;
    writeCurrentRecord({"25", "25", "25", "25"}, std::nullopt);
    printWith(printerChoice("office"));
    ASSERT_FALSE(printer().pages.empty()) << fake.dialogs().lastText();
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
}

// A file chosen in the dialog gets the real PDF printer: the picture lands where the dots say.
TEST_F(PrintCommandTest, PrintsIntoARealFileWhereTheDotsSay) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    printer().realFiles = true;
    writeCurrentRecord({"25", "25", "25", "25"}, QStringLiteral("Bottom Right"));
    captureOf(400, 300);
    PrinterChoice file;
    file.file = pdf;
    printWith(file);
    ASSERT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();

    const platform::PrinterMetrics metrics = platform::QtPrinter::onPdfFile(pdf)->metrics();
    const QSizeF paper = metrics.paperMm();
    const double shortfall = kPrintAreaShortfall * 25.4 / metrics.dpiX;  // 0.21 mm at 1200 dpi
    const QSizeF natural(400 * 25.4 / 96, 300 * 25.4 / 96);
    const QRectF expected(paper.width() - 25 - shortfall - natural.width(),
                          paper.height() - 25 - shortfall - natural.height(), natural.width(),
                          natural.height());
    const auto facts = testsupport::readPdfFacts(pdf);
    EXPECT_EQ(facts.pages, 1);
    const QRectF ink = testsupport::inkBoxMm(testsupport::renderPdfPage(pdf, 1, 200), 200);
    EXPECT_NEAR(ink.x(), expected.x(), 0.3);
    EXPECT_NEAR(ink.y(), expected.y(), 0.3);
    EXPECT_NEAR(ink.width(), expected.width(), 0.3);
    EXPECT_NEAR(ink.height(), expected.height(), 0.3);
}

}  // namespace
}  // namespace qv::output
