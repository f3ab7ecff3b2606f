// Stand-in until the output commands are built.
#include "output/printing/defaultprinter.h"
#include "output/printing/printcommand.h"
#include "output/savecommands.h"
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
void MainWindow::startPastingApplication() {}
void MainWindow::copyToClipboard() {}
void MainWindow::sendByEmail() {}

}  // namespace qv::shell
