#include "autocapture/schedulercontrol.h"

#include <QTextStream>

#include "autocapture/jobsaver.h"
#include "autocapture/state.h"
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
        const QString text =
            jobFailureText(row.name, {output::errornumber::BadFileName, row.refusal});
        QTextStream(stderr) << text << Qt::endl;
        platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                    QStringLiteral(" Quorvalline "));
    }
}

}  // namespace

void reloadJobTable() {
    State& jobs = state();
    jobs.jobTable.load(platform::clock().now(), platform::locale().timeFormat());
    jobs.jobCount = jobs.jobTable.count();
    reportRefusedJobs(jobs);
}

}  // namespace qv::autocapture
