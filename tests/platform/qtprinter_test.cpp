// The CUPS printer service, on a PDF file read back with poppler (where the picture lands:
// tests/output/printing/defaultprinter_test.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/linux/qtprinter.h"
#include "support/pdfreader.h"

namespace qv::platform {
namespace {

using testsupport::readPdfFacts;

class QtPrinterPdfTest : public ::testing::Test {
protected:
    QString pdf() const { return dir.filePath(QStringLiteral("out.pdf")); }
    static QImage picture(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        return image;
    }
    QTemporaryDir dir;
};

TEST_F(QtPrinterPdfTest, APdfPrinterIsAUsableA4PrinterAt1200Dpi) {
    auto printer = QtPrinter::onPdfFile(pdf());
    ASSERT_TRUE(printer->usable());
    EXPECT_EQ(printer->deviceName(), pdf());
    const PrinterMetrics portrait = printer->metrics();
    EXPECT_EQ(portrait.dpiX, 1200);
    EXPECT_NEAR(portrait.paperMm().width(), 210.0, 0.1);
    EXPECT_NEAR(portrait.paperMm().height(), 297.0, 0.1);
    EXPECT_DOUBLE_EQ(portrait.twipsPerPixelX(), 1.2);
    EXPECT_TRUE(QRect(QPoint(), portrait.paper).contains(portrait.printable));

    printer->setOrientation(PrintOrientation::Landscape);
    EXPECT_EQ(printer->metrics().paper, portrait.paper.transposed());
}

TEST_F(QtPrinterPdfTest, CopiesAPdfCannotMakeBecomePages) {
    auto printer = QtPrinter::onPdfFile(pdf());
    ASSERT_FALSE(printer->printImage(picture(40, 30), {10, 10, 20, 15}, 3));
    EXPECT_EQ(readPdfFacts(pdf()).pages, 3);
    EXPECT_EQ(printer->copies(), 3);
}

// A screenshot's text must stay sharp: no block artefacts, no colour bleeding.
TEST_F(QtPrinterPdfTest, APictureIsPrintedWithoutLoss) {
    QImage noise(400, 300, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            noise.setPixel(x, y, 0xff000000u | (seed >> 8));
        }
    }
    auto printer = QtPrinter::onPdfFile(pdf());
    // At its natural size on a 96 dpi screen.
    ASSERT_FALSE(printer->printImage(noise, {25, 25, 400 * 25.4 / 96, 300 * 25.4 / 96}, 2));

    const testsupport::PdfPictures pictures = testsupport::readPdfPictures(pdf());
    ASSERT_FALSE(pictures.encodings.isEmpty());
    EXPECT_FALSE(pictures.encodings.contains(QStringLiteral("jpeg")))
        << pictures.encodings.join(u' ').toStdString();
    for (const QImage& printed : pictures.images)
        EXPECT_EQ(printed.convertToFormat(QImage::Format_RGB32), noise);
}

// The dialog that prints says so; the one that only sets the printer up neither prints nor
// says it does.
TEST_F(QtPrinterPdfTest, TheSetupDialogIsTitledAndAnsweredAsASetup) {
    const struct {
        PrintDialogKind kind;
        const char* title;
        const char* ok;
    } kinds[] = {{PrintDialogKind::Setup, "Printer Setup", "OK"},
                 {PrintDialogKind::Print, "Print", "&Print"}};
    auto printer = QtPrinter::onPdfFile(pdf());
    for (const auto& k : kinds) {
        QString title, ok;
        QTimer look;
        look.setInterval(0);
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            look.stop();
            title = dialog->windowTitle();
            if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
                ok = buttons->button(QDialogButtonBox::Ok)->text();
            dialog->reject();
        });
        look.start();
        EXPECT_FALSE(printer->runPrintDialog(k.kind, nullptr));
        EXPECT_EQ(title, k.title);
        EXPECT_EQ(ok, k.ok);
    }
}

TEST_F(QtPrinterPdfTest, AFailedPrintIsReportedNeverSilent) {
    auto unwritable = QtPrinter::onPdfFile(dir.filePath(QStringLiteral("no/such/folder/x.pdf")));
    const auto failure = unwritable->printImage(picture(4, 3), {0, 0, 4, 3}, 1);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, printerror::NoPrinter);

    // A system with no queue has no printer, where Qt alone would write a PDF with no name.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        QtPrinter none;
        EXPECT_FALSE(none.usable());
        EXPECT_EQ(none.metrics().paper, QSize());
        const auto noPrinter = none.printImage(picture(4, 3), {0, 0, 4, 3}, 1);
        ASSERT_TRUE(noPrinter);
        EXPECT_EQ(noPrinter->description, QStringLiteral("No printer is set up on this system"));
        EXPECT_FALSE(none.choosePrinter(QStringLiteral("no such queue")));
    }
}

}  // namespace
}  // namespace qv::platform
