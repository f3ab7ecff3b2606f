#pragma once

#include <optional>

namespace qv::platform {
class Dialogs;
class InstanceLock;
}  // namespace qv::platform

namespace qv {

// A start that finds another copy running for the same settings, or cannot tell, ends here
// and says so on the error output and in a box (a start from the desktop's menu has no
// terminal). The exit code it ends with, or nothing when this copy goes on.
std::optional<int> endUnlessOnlyCopy(platform::InstanceLock& lock, platform::Dialogs& dialogs);

}  // namespace qv
