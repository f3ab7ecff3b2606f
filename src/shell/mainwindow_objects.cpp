// Stand-in until the annotation objects are built.
#include "shell/mainwindow.h"

namespace qv::shell {

void MainWindow::showObjectsPalette() {}
void MainWindow::pasteFromClipboard() {}

}  // namespace qv::shell
