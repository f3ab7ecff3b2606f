#pragma once

#include <QString>

namespace qv::autocapture {

// A job that failed is told on stderr and in the failure notice, which blocks nothing: the
// desktop, the other jobs and the user's commands go on. Each job is told once, not at every
// run that fails again, and again when it fails after a save.
void reportJobFailure(const QString& jobName, const QString& reason);
void reportJobSaved(const QString& jobName);

// Tells text on stderr and in the failure notice.
void tellJobFailure(const QString& text);

// The line a failed job shows and writes to stderr.
QString jobFailureText(const QString& jobName, const QString& reason);

// Keeps the failure notice out of a scheduled capture while it lives; it shows again after.
class NoticeAside {
public:
    NoticeAside();
    ~NoticeAside();
    NoticeAside(const NoticeAside&) = delete;
    NoticeAside& operator=(const NoticeAside&) = delete;

private:
    bool hidden_ = false;
};

}  // namespace qv::autocapture
