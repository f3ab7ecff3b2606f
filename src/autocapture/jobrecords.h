#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "options/registrystore.h"

namespace qv::autocapture {

// The folder of the job records; one sub-key per job, named by the job.
inline const QString kJobsKey = options::kProgramKey + QStringLiteral("\\AutoCapture");

// What a job reacts to, and what it captures, as the records store them.
inline const QString kWindowTitle = QStringLiteral("Window Title");
inline const QString kTimeOfDay = QStringLiteral("Time of Day");
inline const QString kInterval = QStringLiteral("Interval");
inline const QString kScreen = QStringLiteral("Screen");
inline const QString kActiveWindow = QStringLiteral("Current Active Window");

// Naming modes.
inline const QString kIncrement = QStringLiteral("1");
inline const QString kOverwrite = QStringLiteral("0");

// One stored job, texts as stored (without their NUL).
struct Job {
    QString name;
    QString jobType;
    QString captureType;
    QString trigger;  // a window title, a time text or an interval in minutes
    QString saveDir;
    QString saveName;
    QString imgFormat;  // ".bmp", ".png", ".jpg" or ".tif"
    QString savingType;
    QString status = QStringLiteral("1");  // "1" enabled, "0" disabled

    bool enabled() const { return status == QLatin1String("1"); }
    bool operator==(const Job&) const = default;
};

QString jobKey(const QString& name);
// The path the record keeps for information: folder, "/", name and format run together.
QString fullPath(const Job& job);

// Writes the nine values in their order, each with its NUL, creating the key when missing.
// The status is always written enabled; whoever re-saves a disabled job sets it back.
void writeJob(const Job& job);
// The job, or nothing when its key is gone (nothing is created then). A missing value reads
// as the empty text.
std::optional<Job> readJob(const QString& name);
// Changes only the status; false, writing nothing, when the job's key is gone.
bool setJobEnabled(const QString& name, bool enabled);
// The names of the stored jobs in the store's order; creates the empty folder when missing.
QStringList readJobNames();
// Deletes exactly that job; a name without a record changes nothing.
bool removeJob(const QString& name);
bool jobExists(const QString& name);

}  // namespace qv::autocapture
