#pragma once

#include <QtGlobal>

namespace qv::platform {

// A top-level window of the desktop, as the window system names it; 0 is "no window".
using WindowId = quint64;

}  // namespace qv::platform
