#include "autocapture/schedulercontrol.h"

#include "autocapture/jobreports.h"
#include "autocapture/state.h"
#include "output/saveerror.h"
#include "platform/services.h"

namespace qv::autocapture {

namespace {

// A job that would fire but may not save where its record says is told about when it is read,
// since it will never fire to show its error; a disabled one is told when it is enabled.
void reportRefusedJobs(State& jobs) {
    for (const JobRow& row : jobs.jobTable.rows()) {
        if (row.refusal.isEmpty() || !row.enabled)
            continue;
        const QString reported = row.name + QLatin1Char('\n') + row.refusal;
        if (jobs.refusalsReported.contains(reported))
            continue;
        jobs.refusalsReported.insert(reported);
        tellJobFailure(jobFailureText(
            row.name, output::SaveError{output::errornumber::BadFileName, row.refusal}.message()));
    }
}

// A job gone from the table is no longer failing; one made again under its name is new.
void forgetGoneJobs(State& jobs) {
    QSet<QString> names;
    for (const JobRow& row : jobs.jobTable.rows())
        names.insert(row.name);
    jobs.failingJobs.intersect(names);
}

}  // namespace

void reloadJobTable() {
    State& jobs = state();
    jobs.jobTable.load(platform::clock().now(), platform::locale().timeFormat());
    jobs.jobCount = jobs.jobTable.count();
    forgetGoneJobs(jobs);
    reportRefusedJobs(jobs);
    schedulerControl().jobTableChanged();
}

}  // namespace qv::autocapture
