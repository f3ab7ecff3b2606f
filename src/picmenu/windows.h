#pragma once

#include "toolkit/lazyform.h"

namespace qv::picmenu {

// The windows of this subsystem, each created on first use.
struct Windows {};

}  // namespace qv::picmenu
