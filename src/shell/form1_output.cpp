// Stand-in until the output commands are built.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "output/savecommands.h"
#include "shell/form1.h"

namespace qv::shell {

void Form1::mnuSaveToDefDir_Click() {
    output::saveToDefaultDirectory();
}
void Form1::mnuSaveas_Click() {
    output::saveAs();
}
void Form1::mnuDefPrinter_Click() {}
void Form1::mnuPrint_Click() {}
void Form1::mnupagesetup_Click() {}
void Form1::mnuOpenContainerApp_Click() {}
void Form1::mnucopytoclipbrd_Click() {}
void Form1::mnuemail_Click() {}

}  // namespace qv::shell
