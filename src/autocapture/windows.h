#pragma once

#include "autocapture/joblist.h"
#include "toolkit/lazyform.h"

namespace qv::autocapture {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyForm<JobList> jobList;
};

}  // namespace qv::autocapture
