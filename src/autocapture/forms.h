#pragma once

#include "autocapture/form20.h"
#include "toolkit/lazyform.h"

namespace qv::autocapture {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form20> form20;
};

}  // namespace qv::autocapture
