#pragma once

#include "output/emaildialog.h"
#include "output/printing/defaultprintingdialog.h"
#include "output/printing/pagesetupdialog.h"
#include "output/savedialog.h"
#include "toolkit/installed.h"
#include "toolkit/lazywindow.h"

namespace qv::output {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyWindow<DefaultPrintingDialog> defaultPrinting;
    toolkit::LazyWindow<SaveDialog> saveDialog;  // "Save Captured Image"
    // "Send Captured Image by Email "
    toolkit::LazyWindow<EmailDialog> emailDialog;
    toolkit::LazyWindow<PageSetupDialog> pageSetup;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::output
