#pragma once

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "output/printing/defaultprintingdialog.h"
#include "output/printing/pagesetuprecords.h"
#include "output/windows.h"
#include "shell/capture_fixture.h"

namespace qv::output::printingtests {

// A frozen screen with a capture of the given size, the start-up load of the default page
// setup done, and the fake printer (A4 at 600 dpi) as the run's printer.
class PrintingTest : public shell::capturetests::CaptureTest {
protected:
    PrintingTest() { settings(); }

    void captureOf(int width, int height) {
        if (!captureState().freeze.desktopFrozen)
            freeze();
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        session().buffer = image;
        captureState().freeze.captureAvailable = true;
    }
    DefaultPrintingDialog& dialog() { return prog.outputWindows().defaultPrinting.get(); }
    bool dialogLoaded() { return prog.outputWindows().defaultPrinting.exists(); }
    DefaultPageSetup& setup() { return prog.output.defaultPageSetup; }
    fakes::FakePrinter& printer() { return fake.printer(); }

    // The user leaves a margin box after typing text into it.
    void typeMargin(QLineEdit* box, const QString& text) {
        box->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &out);
    }
    QByteArray stored(const QString& name) {
        return fake.registry()
            .value(platform::Registry::Root::CurrentUser, pageSetupKey(), name)
            .value_or("<none>");
    }
    void printNow() { mainWindow().printToDefaultPrinter(); }

    const fakes::FakePrinter::Page& lastPage() { return printer().pages.back(); }
    // Where the last page put the picture, in millimetres from the paper's corner.
    void expectPrintedAt(const QRectF& expected, const QString& what, double tolerance = 0.01) {
        ASSERT_FALSE(printer().pages.empty()) << what.toStdString();
        const QRectF t = lastPage().targetMm;
        EXPECT_NEAR(t.x(), expected.x(), tolerance) << what.toStdString();
        EXPECT_NEAR(t.y(), expected.y(), tolerance) << what.toStdString();
        EXPECT_NEAR(t.width(), expected.width(), tolerance) << what.toStdString();
        EXPECT_NEAR(t.height(), expected.height(), tolerance) << what.toStdString();
    }
    // A failed print: its one error message, nothing printed, the capture still frozen.
    void expectPrintFailure(const char* message, const char* what) {
        ASSERT_EQ(fake.dialogs().messages.size(), 1u) << what;
        EXPECT_EQ(fake.dialogs().messages[0].text, message);
        EXPECT_EQ(fake.dialogs().messages[0].title, " Quorvalline ");
        EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Critical);
        EXPECT_TRUE(printer().pages.empty()) << what;
        EXPECT_TRUE(captureState().freeze.desktopFrozen) << what;
    }
};

inline QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

}  // namespace qv::output::printingtests
