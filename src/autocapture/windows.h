#pragma once

#include "autocapture/failurenotice.h"
#include "autocapture/jobeditor.h"
#include "autocapture/joblist.h"
#include "toolkit/installed.h"
#include "toolkit/lazywindow.h"

namespace qv::autocapture {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyWindow<JobList> jobList;
    toolkit::LazyWindow<JobEditor> jobEditor;
    toolkit::LazyWindow<FailureNotice> failureNotice;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::autocapture
