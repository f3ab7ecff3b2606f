#pragma once

#include "toolkit/lazyform.h"

namespace qv::output {

// The windows of this subsystem, each created on first use.
struct Forms {};

}  // namespace qv::output
