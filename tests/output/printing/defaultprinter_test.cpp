// Print to Default Printer against the fake printer.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/printing/printing_fixture.h"
#include "platform/linux/qtprinter.h"
#include "support/pdfreader.h"

namespace qv::output {
namespace {

using platform::PrintOrientation;

class DefaultPrinterTest : public printingtests::PrintingTest {
protected:
    // The expected places are given to a tenth of a millimetre.
    void expectPrintedAt(const QRectF& expected, const char* what) {
        PrintingTest::expectPrintedAt(expected, QString::fromUtf8(what), 0.1);
    }
};

TEST_F(DefaultPrinterTest, PlacesTheCaptureByTheDefaultSetup) {
    const struct {
        QSize capture;
        const char* orientation;
        const char* alignment;
        QRectF expected;
    } cases[] = {
        {{400, 300}, "Portrait", "Top Left", {25, 25, 105.83, 79.38}},
        {{400, 300}, "Portrait", "Centered", {52.07, 108.82, 105.83, 79.38}},
        {{400, 300}, "Portrait", "Bottom Right", {79.14, 192.64, 105.83, 79.38}},
        {{800, 300}, "Portrait", "Bottom Right", {25, 212.02, 159.97, 59.99}},
        {{300, 1200}, "Portrait", "Centered", {74.11, 25, 61.75, 247.01}},
        {{1920, 1080}, "Portrait", "Centered", {25, 103.51, 159.97, 89.98}},
        {{1920, 1080}, "Landscape", "Centered", {25, 35.51, 247.01, 138.94}},
    };
    dialog().show();
    for (const auto& c : cases) {
        captureOf(c.capture.width(), c.capture.height());
        (QString::fromUtf8(c.orientation) == "Portrait" ? dialog().portraitButton
                                                        : dialog().landscapeButton)
            ->setChecked(true);
        dialog().alignmentCombo->setCurrentText(QString::fromUtf8(c.alignment));
        printNow();
        EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();
        expectPrintedAt(c.expected, c.alignment);
        EXPECT_EQ(lastPage().orientation, QString::fromUtf8(c.orientation) == "Portrait"
                                              ? PrintOrientation::Portrait
                                              : PrintOrientation::Landscape);
        EXPECT_EQ(lastPage().image.size(), c.capture);
    }
    // An alignment none of the nine names prints in the area's corner.
    setup().alignment = QStringLiteral("Somewhere");
    printNow();
    EXPECT_NEAR(lastPage().targetMm.x(), 25, 0.1);
    EXPECT_NEAR(lastPage().targetMm.y(), 25, 0.1);
}

TEST_F(DefaultPrinterTest, CopiesAndOrientationReachThePrinter) {
    captureOf(400, 300);
    dialog();
    const struct {
        const char* copies;
        int printed;
    } copies[] = {{"3", 3}, {"1", 1}, {"0", 1}, {"", 1}, {"x", 1}, {"2.5", 2}, {"5000", 1000}};
    for (const auto& c : copies) {
        setup().copies = QString::fromUtf8(c.copies);
        printNow();
        EXPECT_EQ(lastPage().copies, c.printed) << c.copies;
        EXPECT_EQ(printer().copiesNow, c.printed) << c.copies;
    }
    EXPECT_EQ(setup().copies, "5000") << "the setup keeps what was typed";

    // An orientation text that is neither leaves the printer as it is.
    setup().orientation = QStringLiteral("Sideways");
    printer().orientationNow = PrintOrientation::Landscape;
    printNow();
    EXPECT_EQ(lastPage().orientation, PrintOrientation::Landscape);
    setup().orientation = QStringLiteral("Portrait");
    printNow();
    EXPECT_EQ(lastPage().orientation, PrintOrientation::Portrait);
}

TEST_F(DefaultPrinterTest, EditedMarginsCountEvenAfterCancel) {
    captureOf(400, 300);
    dialog().show();
    typeMargin(dialog().leftMarginEdit, QStringLiteral("40"));
    typeMargin(dialog().topMarginEdit, QStringLiteral("07"));
    dialog().cancelButton->click();
    EXPECT_FALSE(dialog().isVisible());
    printNow();
    expectPrintedAt({40, 7, 105.83, 79.38}, "edited");
    EXPECT_EQ(stored("TopLeft"), printingtests::withNul("25")) << "nothing was stored";
}

TEST_F(DefaultPrinterTest, FirstStartLoadsTheDefaultsBeforePrinting) {
    ASSERT_FALSE(dialogLoaded()) << "a first start leaves Default Printing unloaded";
    captureOf(400, 300);
    printNow();
    EXPECT_TRUE(dialogLoaded());
    EXPECT_FALSE(dialog().isVisible());
    expectPrintedAt({25, 25, 105.83, 79.38}, "first start");
}

TEST_F(DefaultPrinterTest, FailuresAreShownKeepTheCaptureAndReleaseNothing) {
    settings().releaseAfterCapture = true;
    captureOf(400, 300);
    dialog();
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
         [this] { prog.output.previewMargins.left = prog.output.previewMargins.right = 1300; },
         "Error: 1003  The margins leave no room for the picture !!"},
        {"no printer", [this] { printer().removePrinter(); },
         "Error: 482  No printer is set up on this system !!"},
    };
    for (const auto& c : cases) {
        c.arrange();
        fake.dialogs().messages.clear();
        printNow();
        ASSERT_NO_FATAL_FAILURE(expectPrintFailure(c.message, c.what));
        EXPECT_FALSE(buffer().isNull()) << c.what;
    }
}

// A start while the system had queues but no default one: the window drew a page of nothing.
TEST_F(DefaultPrinterTest, WithoutADefaultPrinterItSaysSoAndPrintsOnTheOneChosenLater) {
    printer().removePrinter();
    printer().queues = {QStringLiteral("lab")};
    dialog();  // loaded at start-up
    ASSERT_EQ(prog.output.previewPage, QSizeF(0, 0));
    captureOf(400, 300);
    printNow();
    ASSERT_NO_FATAL_FAILURE(expectPrintFailure(
        "Error: 482  No default printer is set on this system; choose a printer with Print... !!",
        "no default"));

    // Print... on a printer with a Letter sheet.
    printer().portraitPaper = {5100, 6600};
    printer().portraitPrintable = {96, 96, 4908, 6408};
    platform::PrinterChoice lab;
    lab.printer = QStringLiteral("lab");
    printer().dialogAnswers.push_back(lab);
    mainWindow().printCapture();
    ASSERT_EQ(printer().pages.size(), 1u) << fake.dialogs().lastText();
    fake.dialogs().messages.clear();
    for (const char* alignment : {"Top Left", "Bottom Right"}) {
        setup().alignment = QString::fromUtf8(alignment);
        printNow();
        EXPECT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();
        EXPECT_EQ(lastPage().printer, "lab");
    }
    // Bottom right on Letter: 215.9 x 279.4 mm less the 25 mm margins.
    expectPrintedAt({215.9 - 25 - 105.83, 279.4 - 25 - 79.38, 105.83, 79.38}, "on its page");
}

TEST_F(DefaultPrinterTest, SuccessReleasesWhenTheOptionsSaySo) {
    for (const bool release : {false, true}) {
        settings().releaseAfterCapture = release;
        captureOf(400, 300);
        printNow();
        EXPECT_EQ(captureState().freeze.desktopFrozen, !release);
    }
}

TEST_F(DefaultPrinterTest, APrinterChosenLaterIsUsed) {
    captureOf(400, 300);
    printer().queues << QStringLiteral("lab");
    ASSERT_TRUE(platform::printer().choosePrinter(QStringLiteral("lab")));
    printNow();
    EXPECT_EQ(lastPage().printer, "lab");
    EXPECT_EQ(dialog().printerNameLabel->text(), "lab");
}

// The real printer service on a PDF file: what reaches paper is where the table says.
TEST_F(DefaultPrinterTest, PrintsOnARealPrinterWhereTheTableSays) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("default.pdf"));
    fake.services().printer = platform::QtPrinter::onPdfFile(pdf);
    const struct {
        QSize capture;
        const char* orientation;
        const char* copies;
        QRectF expected;
        QSizeF pagePt;
        int pages;
    } cases[] = {
        {{400, 300}, "Portrait", "1", {52.07, 108.82, 105.83, 79.38}, {595, 842}, 1},
        {{1920, 1080}, "Landscape", "3", {25, 35.51, 247.01, 138.94}, {842, 595}, 3},
    };
    for (const auto& c : cases) {
        captureOf(c.capture.width(), c.capture.height());
        dialog().show();
        dialog().alignmentCombo->setCurrentText(QStringLiteral("Centered"));
        (QString::fromUtf8(c.orientation) == "Portrait" ? dialog().portraitButton
                                                        : dialog().landscapeButton)
            ->setChecked(true);
        setup().copies = QString::fromUtf8(c.copies);
        printNow();
        ASSERT_TRUE(fake.dialogs().messages.empty()) << fake.dialogs().lastText();

        const auto facts = testsupport::readPdfFacts(pdf);
        EXPECT_EQ(facts.pages, c.pages);
        EXPECT_NEAR(facts.pageSizePt.width(), c.pagePt.width(), 1);
        EXPECT_NEAR(facts.pageSizePt.height(), c.pagePt.height(), 1);
        const QRectF ink =
            testsupport::inkBoxMm(testsupport::renderPdfPage(pdf, c.pages, 200), 200);
        EXPECT_NEAR(ink.x(), c.expected.x(), 0.3) << c.orientation;
        EXPECT_NEAR(ink.y(), c.expected.y(), 0.3) << c.orientation;
        EXPECT_NEAR(ink.width(), c.expected.width(), 0.3) << c.orientation;
        EXPECT_NEAR(ink.height(), c.expected.height(), 0.3) << c.orientation;
        // The capture itself, pixel for pixel, never a JPEG of it.
        const testsupport::PdfPictures pictures = testsupport::readPdfPictures(pdf);
        ASSERT_EQ(pictures.images.size(), qsizetype(c.pages)) << c.orientation;
        EXPECT_FALSE(pictures.encodings.contains(QStringLiteral("jpeg"))) << c.orientation;
        EXPECT_EQ(pictures.images[0].convertToFormat(QImage::Format_RGB32), buffer());
    }
}

}  // namespace
}  // namespace qv::output
