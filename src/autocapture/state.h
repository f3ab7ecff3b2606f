#pragma once

#include <QStringList>
#include <vector>
#include "toolkit/installed.h"

namespace qv::autocapture {

// State of the AutoCapture jobs. Reset as a whole by constructing a new one.
struct State {
    bool autoCaptureRunning = false;  // a job is capturing and saving: no messages
    int jobCount = 0;
    std::vector<QStringList> jobTable;  // ten text columns per job
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::autocapture
