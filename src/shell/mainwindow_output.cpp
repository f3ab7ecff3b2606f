#include "output/clipboardcopy.h"
#include "output/pastingapplication.h"
#include "output/printing/defaultprinter.h"
#include "output/printing/printcommand.h"
#include "output/savecommands.h"
#include "output/windows.h"
#include "shell/mainwindow.h"

namespace qv::shell {

void MainWindow::saveToDefaultFolder() {
    output::saveToDefaultFolder();
}
void MainWindow::saveAs() {
    output::saveAs();
}
void MainWindow::printToDefaultPrinter() {
    output::printToDefaultPrinter();
}
void MainWindow::printCapture() {
    output::printCapture();
}
void MainWindow::showPageSetup() {
    output::showPageSetup();
}
void MainWindow::startPastingApplication() {
    output::startPastingApplication();
}
void MainWindow::copyToClipboard() {
    output::copyCaptureToClipboard();
}
void MainWindow::sendByEmail() {
    output::windows().emailDialog->showOverFrozenScreen();
}

}  // namespace qv::shell
