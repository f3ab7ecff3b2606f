#pragma once

#include <QStringList>
#include <vector>

namespace qv::autocapture {

// State of the AutoCapture jobs. Reset as a whole by constructing a new one.
struct State {
    bool autocapturerunning = false;  // a job is capturing and saving: no messages
    int jobcount = 0;
    std::vector<QStringList> jobtable;  // ten text columns per job
};

}  // namespace qv::autocapture
