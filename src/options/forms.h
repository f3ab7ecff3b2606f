#pragma once

#include "options/form4.h"
#include "toolkit/lazyform.h"

namespace qv::options {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form4> form4;
};

}  // namespace qv::options
