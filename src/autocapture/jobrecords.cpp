#include "autocapture/jobrecords.h"

#include "platform/services.h"

namespace qv::autocapture {

namespace {

constexpr auto kRoot = platform::Registry::Root::CurrentUser;

}  // namespace

QString jobKey(const QString& name) {
    return kJobsKey + QLatin1Char('\\') + name;
}

QString fullPath(const Job& job) {
    return job.saveDir + QLatin1Char('/') + job.saveName + job.imgFormat;
}

void writeJob(const Job& job) {
    const QString key = jobKey(job.name);
    // One write of the whole record: a record is never left half written by us.
    platform::RegistryBatch batch(platform::registry());
    options::createKey(kJobsKey);
    options::writeText(key, QStringLiteral("JobType"), job.jobType);
    options::writeText(key, QStringLiteral("CaptureType"), job.captureType);
    options::writeText(key, QStringLiteral("Trigger"), job.trigger);
    options::writeText(key, QStringLiteral("SaveDir"), job.saveDir);
    options::writeText(key, QStringLiteral("SaveName"), job.saveName);
    options::writeText(key, QStringLiteral("ImgFormat"), job.imgFormat);
    options::writeText(key, QStringLiteral("SavingType"), job.savingType);
    options::writeText(key, QStringLiteral("FullPath"), fullPath(job));
    options::writeText(key, QStringLiteral("JobStatus"), QStringLiteral("1"));
}

std::optional<Job> readJob(const QString& name) {
    const QString key = jobKey(name);
    if (!jobExists(name))
        return std::nullopt;
    auto read = [&key](const char* value) {
        return options::readTextWithoutNul(key, QLatin1String(value));
    };
    Job job;
    job.name = name;
    job.jobType = read("JobType");
    job.captureType = read("CaptureType");
    job.trigger = read("Trigger");
    job.saveDir = read("SaveDir");
    job.saveName = read("SaveName");
    job.imgFormat = read("ImgFormat");
    job.savingType = read("SavingType");
    job.status = read("JobStatus");
    return job;
}

bool setJobEnabled(const QString& name, bool enabled) {
    if (!jobExists(name))
        return false;
    options::writeText(jobKey(name), QStringLiteral("JobStatus"),
                       enabled ? QStringLiteral("1") : QStringLiteral("0"));
    return true;
}

QStringList readJobNames() {
    options::createKey(kJobsKey);
    return platform::registry().subKeys(kRoot, kJobsKey);
}

bool removeJob(const QString& name) {
    if (name.isEmpty() || !options::keyExists(kJobsKey))
        return false;
    return platform::registry().deleteKey(kRoot, jobKey(name));
}

bool jobExists(const QString& name) {
    return !name.isEmpty() && options::keyExists(jobKey(name));
}

}  // namespace qv::autocapture
