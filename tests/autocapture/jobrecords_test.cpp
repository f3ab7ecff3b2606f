#include <gtest/gtest.h>

#include "autocapture/jobrecords.h"
#include "fakes/fakeplatform.h"
#include "platform/memoryregistry.h"

namespace qv::autocapture {
namespace {

using Root = platform::Registry::Root;

// The values of a key in their stored order, with their bytes.
std::vector<std::pair<QString, QByteArray>> storedValues(fakes::FakeRegistry& registry,
                                                         const QString& path) {
    const platform::MemoryRegistry::Key* key = &registry.hive(Root::CurrentUser);
    for (const QString& part : platform::MemoryRegistry::splitPath(path)) {
        const platform::MemoryRegistry::Key* next = nullptr;
        for (const auto& child : key->children) {
            if (child->name.compare(part, Qt::CaseInsensitive) == 0)
                next = child.get();
        }
        if (!next)
            return {};
        key = next;
    }
    std::vector<std::pair<QString, QByteArray>> values;
    for (const auto& v : key->values)
        values.emplace_back(v.name, v.data);
    return values;
}

Job timeJob() {
    return {"Morning",       kTimeOfDay, kScreen, "7:30:00 AM",
            "/home/u/shots", "shot",     ".png",  kIncrement};
}

class JobRecordsTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    fakes::FakeRegistry& registry() { return fake.registry(); }
};

TEST_F(JobRecordsTest, WritesTheNineValuesInOrderEachWithItsNul) {
    Job job = timeJob();
    job.status = "0";  // written enabled whatever the job held
    writeJob(job);
    const std::vector<std::pair<QString, QByteArray>> expected = {
        {"JobType", QByteArray("Time of Day\0", 12)},
        {"CaptureType", QByteArray("Screen\0", 7)},
        {"Trigger", QByteArray("7:30:00 AM\0", 11)},
        {"SaveDir", QByteArray("/home/u/shots\0", 14)},
        {"SaveName", QByteArray("shot\0", 5)},
        {"ImgFormat", QByteArray(".png\0", 5)},
        {"SavingType", QByteArray("1\0", 2)},
        {"FullPath", QByteArray("/home/u/shots/shot.png\0", 23)},
        {"JobStatus", QByteArray("1\0", 2)},
    };
    EXPECT_EQ(storedValues(registry(), kJobsKey + "\\Morning"), expected);

    // A root folder keeps its separator: two in a row, stored as they are.
    job.saveDir = "/";
    writeJob(job);
    EXPECT_EQ(registry().value(Root::CurrentUser, jobKey("Morning"), "FullPath"),
              QByteArray("//shot.png\0", 11));
}

TEST_F(JobRecordsTest, ReadsBackWhatWasWrittenAndRewritingReplaces) {
    Job job = timeJob();
    job.trigger = QString(300, QChar(u'ä'));  // longer than any fixed buffer
    writeJob(job);
    EXPECT_EQ(readJob("Morning"), job);
    EXPECT_EQ(readJob("MORNING")->trigger, job.trigger);  // names ignore case, as the store

    job.jobType = kInterval;
    job.trigger = "15";
    writeJob(job);
    EXPECT_EQ(readJob("Morning"), job);
    EXPECT_EQ(readJobNames(), QStringList{"Morning"});
}

TEST_F(JobRecordsTest, StatusChangesOnlyTheStatus) {
    writeJob(timeJob());
    const auto before = storedValues(registry(), jobKey("Morning"));
    ASSERT_TRUE(setJobEnabled("Morning", false));
    auto after = storedValues(registry(), jobKey("Morning"));
    EXPECT_EQ(after.back(), std::make_pair(QString("JobStatus"), QByteArray("0\0", 2)));
    after.back() = before.back();
    EXPECT_EQ(after, before);
    EXPECT_FALSE(readJob("Morning")->enabled());
    ASSERT_TRUE(setJobEnabled("Morning", true));
    EXPECT_TRUE(readJob("Morning")->enabled());
}

TEST_F(JobRecordsTest, NothingActingOnOneJobCreatesItsKey) {
    writeJob(timeJob());
    const int writes = registry().writes;
    EXPECT_FALSE(readJob("Gone"));
    EXPECT_FALSE(setJobEnabled("Gone", true));
    EXPECT_FALSE(removeJob("Gone"));
    EXPECT_FALSE(jobExists("Gone"));
    EXPECT_EQ(registry().writes, writes);
    EXPECT_EQ(readJobNames(), QStringList{"Morning"});

    EXPECT_TRUE(removeJob("morning"));
    EXPECT_TRUE(readJobNames().isEmpty());
}

TEST_F(JobRecordsTest, AMissingFolderListsNoJobsAndADamagedRecordReadsEmpty) {
    EXPECT_TRUE(readJobNames().isEmpty());
    EXPECT_FALSE(removeJob("x"));

    registry().setValue(Root::CurrentUser, jobKey("Half"), "JobType", QByteArray("Interval\0", 9));
    const auto job = readJob("Half");
    ASSERT_TRUE(job);
    EXPECT_EQ(job->jobType, kInterval);
    EXPECT_EQ(job->trigger, "");
    EXPECT_FALSE(job->enabled());
}

}  // namespace
}  // namespace qv::autocapture
