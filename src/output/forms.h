#pragma once

#include "output/printing/form6.h"
#include "output/savedialog.h"
#include "toolkit/lazyform.h"

namespace qv::output {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form6> form6;
    toolkit::LazyForm<Dialog> dialog;  // "Save Captured Image"
};

}  // namespace qv::output
