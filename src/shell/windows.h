#pragma once

#include "shell/mainwindow.h"
#include "shell/form10.h"
#include "shell/form11.h"
#include "shell/infodialog.h"
#include "shell/form14.h"
#include "shell/frozenscreen.h"
#include "shell/form3.h"
#include "shell/form9.h"
#include "toolkit/lazyform.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyForm<MainWindow> mainWindow;  // the main window
    toolkit::LazyForm<FrozenScreen> frozenScreen;  // the frozen screen
    toolkit::LazyForm<Form3> form3;  // the capture holder
    toolkit::LazyForm<Form9> form9;  // pointer icons
    toolkit::LazyForm<Form10> form10;
    toolkit::LazyForm<Form11> form11;
    toolkit::LazyForm<InfoDialog> infoDialog;  // the info dialog
    toolkit::LazyForm<Form14> form14;
};

}  // namespace qv::shell
