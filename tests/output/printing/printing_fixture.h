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
};

inline QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

}  // namespace qv::output::printingtests
