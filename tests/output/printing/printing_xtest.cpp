// Print... and Page Setup... on a frozen screen of a real X server: Qt's print dialog and the
// Page Setup window show in front of it.
#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "output/printing/currentpreviewview.h"
#include "output/printing/pagesetupdialog.h"
#include "output/windows.h"
#include "platform/linux/qtprinter.h"
#include "shell/windows.h"
#include "support/pdfreader.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::output {
namespace {

using testsupport::countPixels;

const QColor kFrozen(0x20, 0x60, 0xa0);
const QColor kCapture(0x10, 0x90, 0x10);

class PrintingX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        // With a CUPS queue, Return would print on paper.
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            GTEST_SKIP() << "a printer is set up on this machine";
        // Qt's dialog offers $HOME/print.pdf when there is no printer.
        oldHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toLocal8Bit());
        ASSERT_NO_FATAL_FAILURE(startProgram(
            {.size = QSize(1024, 768), .windowManager = true}, [](fakes::FakePlatform& fake) {
                fake.services().printer = std::make_unique<platform::QtPrinter>();
                QImage screen(1024, 768, QImage::Format_RGB32);
                screen.fill(kFrozen);
                fake.desktop().screen = screen;
            }));
        prog_->optionsWindows().optionsDialog.get();  // its load reads the settings
        prog_->options.settings.releaseAfterCapture = false;
        prog_->options.settings.autoPopupMenu = false;
        shellWindows().mainWindow->hide();

        shellWindows().mainWindow->freezeItem->trigger();
        ASSERT_TRUE(processUntil([&] {
            return shellWindows().frozenScreen.exists() &&
                   hasKeyboardFocus(*shellWindows().frozenScreen.peek());
        }));
        QImage capture(400, 300, QImage::Format_RGB32);
        capture.fill(kCapture);
        prog_->capture.buffer = capture;
        prog_->captureState.freeze.captureAvailable = true;
        prog_->captureState.captureValid = true;
    }
    void TearDown() override {
        ProgramXTest::TearDown();
        if (!oldHome_.isNull())
            qputenv("HOME", oldHome_);
    }

    shell::Windows& shellWindows() { return prog_->shellWindows(); }
    // What the X server shows where window is: the frozen screen's colour means it is behind.
    static int frozenPixelsOver(const QWidget& window) {
        const QImage shown = window.screen()->grabWindow(0).toImage().copy(window.frameGeometry());
        return countPixels(shown, [](QColor c) { return c == kFrozen; });
    }

    QTemporaryDir home_;
    QByteArray oldHome_;
};

TEST_F(PrintingX, PrintShowsQtsDialogInFrontAndReturnWritesThePdf) {
    QTimer answer;
    bool inFront = false;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        answer.stop();
        inFront = processUntil(
            [&] { return hasKeyboardFocus(*dialog) && frozenPixelsOver(*dialog) == 0; });
        if (const QString shots = qEnvironmentVariable("QV_SHOTS"); !shots.isEmpty())
            dialog->screen()->grabWindow(0).save(shots + QStringLiteral("/print-dialog.png"));
        server->run("xdotool", {"key", "Return"});
    });
    answer.start();
    shellWindows().mainWindow->printCapture();
    EXPECT_TRUE(inFront);

    const QString pdf = QDir(home_.path()).filePath(QStringLiteral("print.pdf"));
    ASSERT_TRUE(processUntil([&] { return QFileInfo(pdf).size() > 0; }));
    EXPECT_TRUE(fake_->dialogs().messages.empty()) << fake_->dialogs().lastText().toStdString();
    EXPECT_EQ(testsupport::readPdfFacts(pdf).pages, 1);
    const QRectF ink = testsupport::inkBoxMm(testsupport::renderPdfPage(pdf, 1, 200), 200);
    EXPECT_NEAR(ink.x(), 25, 0.3);
    EXPECT_NEAR(ink.y(), 25, 0.3);
    EXPECT_NEAR(ink.width(), 400 * 25.4 / 96, 0.3);
    // The file was for that print only.
    EXPECT_FALSE(platform::printer().usable());
}

TEST_F(PrintingX, PageSetupShowsInFrontOfTheFrozenScreenWithItsPreview) {
    // A printer with a page to preview.
    fake_->services().printer = platform::QtPrinter::onPdfFile(home_.filePath("page.pdf"));
    shellWindows().mainWindow->showPageSetup();
    PageSetupDialog* window = nullptr;
    ASSERT_TRUE(processUntil([&] {
        window = prog_->outputWindows().pageSetup.peek();
        return window && window->isVisible() && hasKeyboardFocus(*window);
    }));
    EXPECT_EQ(window->windowHandle()->transientParent(),
              shellWindows().frozenScreen->windowHandle());
    EXPECT_TRUE(processUntil([&] { return frozenPixelsOver(*window) == 0; }));

    if (const QString shots = qEnvironmentVariable("QV_SHOTS"); !shots.isEmpty())
        window->screen()->grabWindow(0).save(shots + QStringLiteral("/page-setup.png"));
    QImage shown;
    const QRect preview(window->previewView->mapTo(window, QPoint()), window->previewView->size());
    ASSERT_TRUE(processUntil([&] {
        shown = window->screen()->grabWindow(window->winId()).toImage().copy(preview);
        return countPixels(shown, [](QColor c) { return c == kCapture; }) > 1000;
    }));
    EXPECT_GT(countPixels(shown, [](QColor c) { return c == Qt::white; }), 10000);
    EXPECT_GT(countPixels(shown, [](QColor c) { return c.blue() > 200 && c.red() < 60; }), 100);
}

}  // namespace
}  // namespace qv::output
