#pragma once

#include <QString>

namespace qv::output {

// "Start Default Application": starts the program the options name for pasting into, or brings
// back the window of the one started before, then releases the desktop when the options ask.
// The program's window is looked for once the program had 5000 ms to come to the front.
void startPastingApplication();

// What the user is told when the pasting application could not be started, for a launch
// result of 32 or less.
QString pastingLaunchMessage(int result);

}  // namespace qv::output
