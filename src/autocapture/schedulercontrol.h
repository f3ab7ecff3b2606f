#pragma once

#include "toolkit/installed.h"

namespace qv::autocapture {

// Rebuilds the program's job table from the records; interval jobs count from now.
void reloadJobTable();

// What the job windows ask of the scheduler, which runs in the shell above them; the shell
// implements it and the program wires it up.
class SchedulerControl {
public:
    virtual ~SchedulerControl() = default;
    // The window in front counts as new at the next poll, so its title job fires then.
    virtual void forgetForegroundTitle() = 0;
    // The table was rebuilt: the scheduler polls only while it holds a job that may fire.
    virtual void jobTableChanged() = 0;
};

inline SchedulerControl& schedulerControl() {
    return toolkit::Installed<SchedulerControl>::get();
}

}  // namespace qv::autocapture
