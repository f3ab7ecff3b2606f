// Stand-in until hotkey registration is built.
#include "shell/form1.h"

namespace qv::shell {

void Form1::registerhotkeys() {}

}  // namespace qv::shell
