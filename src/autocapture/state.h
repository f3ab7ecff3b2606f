#pragma once

#include <QSet>

#include "autocapture/jobtable.h"
#include "toolkit/installed.h"

namespace qv::autocapture {

// State of the AutoCapture jobs. Reset as a whole by constructing a new one.
struct State {
    bool autoCaptureRunning = false;  // a job is capturing and saving: no messages
    int jobCount = 0;                 // jobs found when the table or the list was last read
    JobTable jobTable;
    // The refused jobs already reported (name and reason): each is told once, not at every load.
    QSet<QString> refusalsReported;
    // The jobs whose last run failed and was told: told again only after they have saved.
    QSet<QString> failingJobs;
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::autocapture
