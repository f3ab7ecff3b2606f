#pragma once

#include "shell/frozenscreen.h"
#include "shell/infodialog.h"
#include "shell/mainwindow.h"
#include "toolkit/installed.h"
#include "toolkit/lazywindow.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyWindow<MainWindow> mainWindow;
    toolkit::LazyWindow<FrozenScreen> frozenScreen;
    toolkit::LazyWindow<InfoDialog> infoDialog;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::shell
