#pragma once

#include <QString>

namespace qv::platform {

// $XDG_CONFIG_HOME, or ~/.config when it is unset or relative (the XDG rules ignore a relative
// path).
QString configHome();

}  // namespace qv::platform
