// Stand-in until the annotation objects are built.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "shell/form1.h"

namespace qv::shell {

void Form1::mnuaddobject_Click() {}
void Form1::mnupaste_Click() {}

}  // namespace qv::shell
