#include "autocapture/jobtable.h"

#include <QTimeZone>
#include <algorithm>

#include "autocapture/jobrecords.h"
#include "autocapture/jobtimes.h"
#include "options/filenamerule.h"
#include "options/registrystore.h"

namespace qv::autocapture {

QDateTime wholeMinute(const QDateTime& now) {
    const QTime t = now.time();
    return QDateTime(now.date(), QTime(t.hour(), t.minute()), now.timeZone());
}

QString refusedSavePath(const QString& folder, const QString& name, const QString& savingType) {
    using options::FileNameProblem;
    if (options::checkFolderPath(folder) == FileNameProblem::ForbiddenCharacter)
        return QStringLiteral("Bad folder \"%1\"").arg(options::onOneLine(folder));
    if (options::checkFileName(name) != FileNameProblem::None)
        return QStringLiteral("Bad file name \"%1\"").arg(options::onOneLine(name));
    const auto ending = savingType == kOverwrite ? options::NameEnding::Extension
                                                 : options::NameEnding::NumberAndExtension;
    if (const QString tooLong = options::tooLongRefusal(name, ending); !tooLong.isEmpty())
        return QStringLiteral("Bad file name \"%1\": %2").arg(name, tooLong.simplified());
    return {};
}

void JobTable::load(const QDateTime& now, const QString& localeTimeFormat) {
    const QDateTime minute = wholeMinute(now);
    rows_.clear();
    for (const QString& name : readJobNames()) {
        const std::optional<Job> job = readJob(name);
        if (!job)
            continue;
        JobRow row;
        row.name = name;
        row.jobType = job->jobType;
        row.captureType = job->captureType;
        row.saveDir = job->saveDir;
        row.saveName = job->saveName;
        row.imgFormat = job->imgFormat;
        row.savingType = job->savingType;
        row.enabled = job->enabled();
        row.refusal = refusedSavePath(job->saveDir, job->saveName, job->savingType);
        if (job->jobType == kWindowTitle) {
            row.match = job->trigger;
        } else if (job->jobType == kTimeOfDay) {
            if (const auto time = readTimeText(job->trigger, localeTimeFormat))
                row.match = clockText(*time);
        } else if (job->jobType == kInterval) {
            bool ok = false;
            const int minutes = job->trigger.trimmed().toInt(&ok);
            if (ok && minutes > 0) {
                row.interval = minutes;
                row.due = minute.addSecs(qint64(minutes) * 60);
                row.match = clockText(row.due.time());
            }
        }
        rows_.push_back(std::move(row));
    }
}

namespace {

bool mayFire(const JobRow& row) {
    return row.enabled && row.refusal.isEmpty() && !row.match.isEmpty();
}

}  // namespace

bool JobTable::anyMayFire() const {
    return std::any_of(rows_.begin(), rows_.end(), mayFire);
}

void JobTable::runTitleTrigger(const QString& title, const Idle& idle, const Fire& fire) const {
    // By index, firing a copy: a firing may reload the table.
    for (size_t i = 0; i < rows_.size(); ++i) {
        const JobRow& row = rows_[i];
        if (!mayFire(row) || row.jobType != kWindowTitle || row.match != title)
            continue;
        if (idle())
            continue;
        fire(JobRow(row));
    }
}

void JobTable::runClockTrigger(const QDateTime& now, const Idle& idle, const Fire& fire) {
    const QDateTime minute = wholeMinute(now);
    const QString text = clockText(minute.time());
    for (size_t i = 0; i < rows_.size(); ++i) {
        JobRow& stored = rows_[i];
        if (stored.match.isEmpty())
            continue;
        if (stored.jobType == kInterval) {
            if (!stored.due.isValid() || stored.due > minute)
                continue;
            stored.due = minute.addSecs(qint64(stored.interval) * 60);
            stored.match = clockText(stored.due.time());
        } else if (stored.jobType != kTimeOfDay || stored.match != text) {
            continue;
        }
        const JobRow row = stored;
        if (idle() || !mayFire(row))
            continue;
        fire(row);
    }
}

}  // namespace qv::autocapture
