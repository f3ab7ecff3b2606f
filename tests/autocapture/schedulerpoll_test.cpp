// The poll wakes the program only while a job may fire; started again, it goes on as if it had
// never stopped.
#include "autocapture/scheduler_fixture.h"
#include "autocapture/schedulercontrol.h"
#include "shell/mainwindow.h"

namespace qv::autocapture::schedulertests {
namespace {

class SchedulerPollTest : public SchedulerTest {
protected:
    bool polling() { return mainWindow().autoCapturePoll->isActive(); }
    // What the job list does when a job is enabled or disabled.
    void setEnabled(const QString& name, bool on) {
        setJobEnabled(name, on);
        reloadJobTable();
    }
};

TEST_F(SchedulerPollTest, WithoutAJobThatMayFireNothingWakesTheIdleProgram) {
    Job refused = job("Bad", kInterval, "5");
    refused.saveName = "../bad";
    const struct {
        const char* name;
        std::vector<Job> jobs;
        bool enabled;
    } cases[] = {
        {"no job", {}, true},
        {"disabled", {job("Off", kInterval, "5")}, false},
        {"refused name", {refused}, true},
        {"no title", {job("Untitled", kWindowTitle, "")}, true},
        {"unreadable time", {job("Junk", kTimeOfDay, "half past")}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Job& j : c.jobs)
            store(j, c.enabled);
        prog.shellWindows().mainWindow.destroy();
        start();
        poll(5);  // the start-up window has gone into the tray
        EXPECT_FALSE(polling());
        EXPECT_EQ(fake.clock().activeTimers(), 0);
        for (const QString& name : readJobNames())
            removeJob(name);
    }
}

TEST_F(SchedulerPollTest, EnablingAJobStartsThePollAndDisablingTheLastStopsIt) {
    store(job("Every", kInterval, "2"), false);
    store(job("Time", kTimeOfDay, "10:06:00"), false);
    start();
    EXPECT_FALSE(polling());

    setEnabled("Every", true);  // 10:02: due at 10:04
    setEnabled("Time", true);
    EXPECT_TRUE(polling());
    pollUntil(QTime(10, 4));
    EXPECT_EQ(saved(), QStringList{"Every.bmp"});
    pollUntil(QTime(10, 6));
    EXPECT_EQ(saved(), (QStringList{"Every.bmp", "Every0.bmp", "Time.bmp"}));

    setEnabled("Every", false);
    EXPECT_TRUE(polling());
    setEnabled("Time", false);
    EXPECT_FALSE(polling());
    poll(30);
    EXPECT_EQ(saved().size(), 3);
}

// A title or minute that came while the poll slept has passed, as it would have for a
// running poll: only what changes after the job is enabled fires it.
TEST_F(SchedulerPollTest, APollStartedAgainFiresOnlyOnWhatChangesFromThen) {
    store(job("Exact", kWindowTitle, "Editor"), false);
    store(job("Now", kTimeOfDay, "10:05:00"), false);
    start();
    poll();
    bringToFront(editor);
    pollUntil(QTime(10, 5, 20));
    setEnabled("Exact", true);
    setEnabled("Now", true);
    pollIntoNextMinute();
    EXPECT_TRUE(saved().isEmpty());

    bringToFront(other);
    poll();
    bringToFront(editor);
    poll();
    EXPECT_EQ(saved(), QStringList{"Exact.bmp"});
    // The list's OK: the window in front fires at the next poll.
    schedulerControl().forgetForegroundTitle();
    poll();
    EXPECT_EQ(saved(), (QStringList{"Exact.bmp", "Exact0.bmp"}));
    pollUntil(QTime(10, 5));
    EXPECT_EQ(saved().size(), 3);
}

}  // namespace
}  // namespace qv::autocapture::schedulertests
