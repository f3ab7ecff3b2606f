#pragma once

#include "shell/frozenscreen.h"
#include "shell/infodialog.h"
#include "shell/mainwindow.h"
#include "toolkit/installed.h"
#include "toolkit/lazyform.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyForm<MainWindow> mainWindow;
    toolkit::LazyForm<FrozenScreen> frozenScreen;
    toolkit::LazyForm<InfoDialog> infoDialog;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::shell
