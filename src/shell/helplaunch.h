#pragma once

#include <QString>

namespace qv::shell {

// The message for a failed launch of the help page by the shell's result code; empty for a
// code without a message of its own.
QString launchFailureText(int result);

// Opens the help page beside the program and reports a failure by its result code.
void showhelp();

}  // namespace qv::shell
