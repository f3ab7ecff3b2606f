#include "autocapture/jobreports.h"

#include <QTextStream>

#include "autocapture/state.h"
#include "autocapture/windows.h"

namespace qv::autocapture {

void reportJobFailure(const QString& jobName, const QString& reason) {
    if (state().failingJobs.contains(jobName))
        return;
    state().failingJobs.insert(jobName);
    tellJobFailure(jobFailureText(jobName, reason));
}

void reportJobSaved(const QString& jobName) {
    state().failingJobs.remove(jobName);
}

void tellJobFailure(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    windows().failureNotice->add(text);
}

QString jobFailureText(const QString& jobName, const QString& reason) {
    return QStringLiteral("AutoCapture job \"%1\": %2").arg(jobName, reason);
}

NoticeAside::NoticeAside() {
    if (FailureNotice* notice = windows().failureNotice.peek(); notice && notice->isVisible()) {
        notice->hide();
        hidden_ = true;
    }
}

NoticeAside::~NoticeAside() {
    if (!hidden_)
        return;
    if (FailureNotice* notice = windows().failureNotice.peek())
        notice->show();
}

}  // namespace qv::autocapture
