#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

namespace qv::autocapture {

// One job as the scheduler holds it between two loads of the table.
struct JobRow {
    QString name;
    QString jobType;
    QString captureType;
    // What the job waits for: the whole window title, or "HH:mm" of a time-of-day job. A job
    // whose trigger cannot be read has none and never fires.
    QString match;
    int interval = 0;  // minutes, interval jobs
    QDateTime due;     // interval jobs: the minute they fire next
    QString saveDir;
    QString saveName;
    QString imgFormat;
    QString savingType;
    bool enabled = false;
    // Why the stored folder or file name is refused; such a job never fires.
    QString refusal;
};

// Why a job may not save under that folder and file name (empty when it may): a name that is
// not a plain file name, or a folder with a ".." step, would put the file outside the folder,
// and a name too long for the files made from it (with the longest extension and, unless the
// naming mode overwrites, number) can make none. The rule of the job editor.
QString refusedSavePath(const QString& folder, const QString& name, const QString& savingType);

// The in-memory table of every stored job, and the two triggers that pick the rows to fire.
class JobTable {
public:
    using Fire = std::function<void(const JobRow&)>;
    // Asked before each firing: while the scheduler is idle (job list shown, desktop frozen)
    // nothing fires.
    using Idle = std::function<bool()>;

    // Reads every stored job; a damaged record, or one whose folder or file name is refused,
    // gives a row that never fires, and reading goes on. Interval jobs count from the minute of
    // now.
    void load(const QDateTime& now, const QString& localeTimeFormat);

    const std::vector<JobRow>& rows() const { return rows_; }
    int count() const { return int(rows_.size()); }
    // Whether a row can fire at all: enabled, with a trigger, and a folder and name allowed.
    bool anyMayFire() const;

    // A title came to the front: every enabled window-title job with exactly that title, in
    // table order.
    void runTitleTrigger(const QString& title, const Idle& idle, const Fire& fire) const;

    // The clock reached a new minute: time-of-day jobs of that minute, and every interval
    // job whose due minute has come, which then moves on by its interval from this minute
    // (whether it fires, is disabled or the scheduler is idle). Missed minutes are caught up.
    void runClockTrigger(const QDateTime& now, const Idle& idle, const Fire& fire);

private:
    std::vector<JobRow> rows_;
};

// now without its seconds.
QDateTime wholeMinute(const QDateTime& now);

}  // namespace qv::autocapture
