// Stand-in until the AutoCapture scheduler is built.
#include "shell/mainwindow.h"

namespace qv::shell {

void MainWindow::loadJobTable() {}
void MainWindow::pollAutoCapture() {}

}  // namespace qv::shell
