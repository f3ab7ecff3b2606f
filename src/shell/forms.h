#pragma once

#include "toolkit/lazyform.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Forms {};

}  // namespace qv::shell
