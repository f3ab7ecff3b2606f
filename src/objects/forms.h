#pragma once

#include "objects/form16.h"
#include "objects/form17.h"
#include "objects/form18.h"
#include "objects/form19.h"
#include "toolkit/lazyform.h"

namespace qv::objects {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form16> form16;  // the Objects palette
    toolkit::LazyForm<Form17> form17;  // Text Options
    toolkit::LazyForm<Form18> form18;  // Shape Options
    toolkit::LazyForm<Form19> form19;  // Line Options
};

}  // namespace qv::objects
