// Stand-in until the AutoCapture scheduler is built.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "shell/form1.h"

namespace qv::shell {

void Form1::filljobsarray() {}
void Form1::Timer4_Timer() {}

}  // namespace qv::shell
