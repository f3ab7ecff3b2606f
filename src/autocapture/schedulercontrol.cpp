#include "autocapture/schedulercontrol.h"

#include "autocapture/state.h"
#include "platform/services.h"

namespace qv::autocapture {

void reloadJobTable() {
    State& jobs = state();
    jobs.jobTable.load(platform::clock().now(), platform::locale().timeFormat());
    jobs.jobCount = jobs.jobTable.count();
}

}  // namespace qv::autocapture
