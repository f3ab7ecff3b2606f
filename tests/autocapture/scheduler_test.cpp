#include <QDirIterator>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "autocapture/scheduler_fixture.h"

namespace qv::autocapture::schedulertests {
namespace {

TEST_F(SchedulerTest, TitleJobFiresOnceEachTimeItsWindowComesToTheFront) {
    store(job("Exact", kWindowTitle, "Editor"));
    store(job("Case", kWindowTitle, "editor"));
    store(job("Off", kWindowTitle, "Editor"), false);
    start();
    poll();
    EXPECT_TRUE(saved().isEmpty());

    bringToFront(editor);
    poll(3);
    EXPECT_EQ(saved(), QStringList{"Exact.bmp"});
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
    EXPECT_FALSE(prog.autocapture.autoCaptureRunning);

    bringToFront(other);
    poll();
    bringToFront(editor);
    poll();
    EXPECT_EQ(saved(), (QStringList{"Exact.bmp", "Exact0.bmp"}));
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

TEST_F(SchedulerTest, NothingFiresWhileTheListShowsOrTheDesktopIsFrozenUntilTheListsOk) {
    store(job("Exact", kWindowTitle, "Editor"));
    start();
    poll();
    prog.autocaptureWindows().jobList->show();
    bringToFront(editor);
    poll(2);
    prog.autocaptureWindows().jobList->hide();
    poll();
    EXPECT_TRUE(saved().isEmpty()) << "the title did not change";

    freeze();
    bringToFront(other);
    poll();
    bringToFront(editor);
    poll();
    EXPECT_TRUE(saved().isEmpty());
    mainWindow().releaseItem->trigger();

    // What the list's OK does: the window in front fires at the next poll.
    mainWindow().forgetForegroundTitle();
    poll();
    EXPECT_EQ(saved(), QStringList{"Exact.bmp"});
}

TEST_F(SchedulerTest, SeveralRowsFireInOrderAtTheirTitle) {
    Job first = job("First", kWindowTitle, "Editor");
    Job second = job("Second", kWindowTitle, "Editor", kActiveWindow);
    store(first);
    store(second);
    start();
    bringToFront(editor);
    poll();
    ASSERT_EQ(saved(), (QStringList{"First.bmp", "Second.bmp"}));
    QImage whole(dir.filePath("First.bmp"));
    QImage window(dir.filePath("Second.bmp"));
    EXPECT_EQ(whole.convertToFormat(QImage::Format_RGB32), fake.desktop().screen);
    EXPECT_EQ(window.convertToFormat(QImage::Format_RGB32), screen(QRect(100, 50, 300, 200)));
}

TEST_F(SchedulerTest, TimeJobFiresInItsMinuteEveryDayWhateverLocaleWroteIt) {
    fake.locale().time = "h:mm:ss AP";
    store(job("Us", kTimeOfDay, "7:30:00 AM"));
    store(job("Iso", kTimeOfDay, "07:30:00"));
    store(job("Junk", kTimeOfDay, "half past"));
    start();
    // A window titled like the minute fires no time job.
    fake.desktop().windows[editor].title = "07:30";
    bringToFront(editor);
    for (int day = 1; day <= 2; ++day) {
        pollBefore(QTime(7, 30));
        EXPECT_EQ(saved().size(), 2 * (day - 1));
        poll();
        EXPECT_EQ(saved().size(), 2 * day) << "day " << day;
        poll(15);  // the rest of the minute
        EXPECT_EQ(saved().size(), 2 * day);
    }
}

TEST_F(SchedulerTest, IntervalJobsFireAtEachDueMinuteAndMoveWhenDisabled) {
    store(job("Five", kInterval, "5"));
    store(job("Off", kInterval, "5"), false);
    start();
    pollBefore(QTime(10, 7));
    EXPECT_TRUE(saved().isEmpty());
    poll();
    EXPECT_EQ(saved(), QStringList{"Five.bmp"});
    pollBefore(QTime(10, 12));
    EXPECT_EQ(saved().size(), 1u);
    poll();
    EXPECT_EQ(saved().size(), 2u);
    for (const JobRow& row : prog.autocapture.jobTable.rows())
        EXPECT_EQ(row.due.time(), QTime(10, 17)) << row.name.toStdString();
}

TEST_F(SchedulerTest, ASaveThatBlocksTheLoopLosesNoDueMinute) {
    Job slow = job("Slow", kInterval, "1");
    slow.imgFormat = ".png";
    store(slow);
    fake.process().behaviour = [this](const fakes::FakeProcess::Call& call) {
        fake.clock().sleep(3 * 60 * 1000);  // the loop stands still for three minutes
        QFile(call.arguments.at(2)).open(QIODevice::WriteOnly);
        return platform::ProcessResult{platform::ProcessResult::Status::Finished, 0, {}};
    };
    start();
    pollBefore(QTime(10, 3));
    poll();
    EXPECT_EQ(saved().size(), 1u);
    poll();  // 10:06: the minutes 10:04 and 10:05 were never seen
    EXPECT_EQ(saved().size(), 2u);
}

TEST_F(SchedulerTest, FrozenAtADueMinuteMovesEveryIntervalRowOn) {
    store(job("Time", kTimeOfDay, "10:05:00"));
    store(job("A", kInterval, "3"));
    store(job("B", kInterval, "3"));
    start();
    pollUntil(QTime(10, 4, 30));
    freeze();
    poll(10);  // 10:05: everything due now is skipped while frozen
    mainWindow().releaseItem->trigger();
    EXPECT_TRUE(saved().isEmpty());
    for (const JobRow& row : prog.autocapture.jobTable.rows()) {
        if (row.jobType == kInterval) {
            EXPECT_EQ(row.due.time(), QTime(10, 8)) << row.name.toStdString();
        }
    }
    pollUntil(QTime(10, 8));
    EXPECT_EQ(saved(), (QStringList{"A.bmp", "B.bmp"}));
}

TEST_F(SchedulerTest, AnIntervalCrossesMidnight) {
    store(job("Late", kInterval, "5"));
    fake.clock().advance(qint64((23 * 60 + 58) - (10 * 60 + 2)) * 60 * 1000 - 10000);
    start();  // filled at 23:58
    pollBefore(QTime(0, 3));
    EXPECT_TRUE(saved().isEmpty());
    poll();
    EXPECT_EQ(saved(), QStringList{"Late.bmp"});
}

TEST_F(SchedulerTest, ASkippedActiveWindowJobLeavesTheUsersCapturesTheirMessages) {
    store(job("Win", kWindowTitle, "", kActiveWindow));  // never fires: no title
    store(job("Front", kInterval, "1", kActiveWindow));
    const platform::WindowId desk = addWindow(QRect(0, 0, 1280, 800), true);
    fake.desktop().windows[desk].title = "Desktop";
    bringToFront(desk);
    start();
    pollUntil(QTime(10, 3, 2));
    EXPECT_TRUE(saved().isEmpty());
    EXPECT_FALSE(prog.autocapture.autoCaptureRunning);

    mainWindow().setTargetWindow(desk);
    mainWindow().captureActiveWindow();
    EXPECT_EQ(fake.dialogs().lastText(), "Window was not active !");
}

// A command's wait lets the poll's timer run (pending events are handled): a job firing then
// would capture in the middle of that command. Due jobs move on as while the list shows.
TEST_F(SchedulerTest, NothingFiresInsideAnotherCommandsWait) {
    store(job("Exact", kWindowTitle, "Editor"));
    store(job("Every", kInterval, "1"));
    start();
    {
        const platform::Clock::Wait commandWaits;
        bringToFront(editor);
        pollIntoNextMinute();
        EXPECT_TRUE(saved().isEmpty());
    }
    pollIntoNextMinute();
    EXPECT_EQ(saved(), QStringList{"Every.bmp"});
}

// Records written by hand or by another program: whatever the name says, nothing is written
// outside the job's folder, each refused job is told once, and the sound jobs go on firing.
TEST_F(SchedulerTest, AJobWhoseNameLeavesItsFolderNeverFiresAndIsToldOnce) {
    const QString inner = dir.filePath("jobs/inner");
    ASSERT_TRUE(QDir().mkpath(inner));
    const struct {
        const char* job;
        QString folder;
        QString name;
    } hostile[] = {
        {"Up", inner, "../../escaped"},
        {"Abs", inner, dir.filePath("absolute")},
        {"Empty", inner, ""},
        {"Stepped", inner + "/../..", "stepped"},
    };
    for (const auto& h : hostile) {
        Job j = job(h.job, kInterval, "1");
        j.saveDir = h.folder;
        j.saveName = h.name;
        store(j);
    }
    Job fine = job("Fine", kInterval, "1");
    fine.saveDir = inner;
    store(fine);
    Job off = job("Off", kInterval, "1");
    off.saveName = "../off";
    store(off, false);

    testing::internal::CaptureStderr();
    start();
    pollUntil(QTime(10, 5));
    mainWindow().loadJobTable();
    pollIntoNextMinute();
    const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());

    QStringList written;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        written << QDir(dir.path()).relativeFilePath(it.next());
    written.sort();
    EXPECT_EQ(written, (QStringList{"jobs/inner/Fine.bmp", "jobs/inner/Fine0.bmp",
                                    "jobs/inner/Fine1.bmp", "jobs/inner/Fine2.bmp"}));
    EXPECT_TRUE(fake.dialogs().messages.empty()) << "nothing waits for an answer";
    const QStringList shown = prog.autocaptureWindows().failureNotice->failures();
    ASSERT_EQ(shown.size(), qsizetype(std::size(hostile)));
    for (const auto& h : hostile) {
        const QString start = QStringLiteral("AutoCapture job \"%1\": Error: 52  Bad ").arg(h.job);
        EXPECT_EQ(told.count(start), 1) << qPrintable(told);
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const QString& line) {
            return line.contains(start);
        })) << h.job;
    }
    EXPECT_FALSE(told.contains("\"Off\"")) << "a disabled job is told when it is enabled";
    EXPECT_FALSE(prog.autocapture.autoCaptureRunning);
}

// Records written by hand or by another copy whose file name, with the longest extension and
// in increment mode the number, passes 255 bytes: each is told once, when the jobs are read,
// and never fires; a name that just fits saves.
TEST_F(SchedulerTest, AJobWhoseFileNameIsTooLongIsToldWhenReadAndNeverFires) {
    const QString e(QChar(0xe9));  // two bytes in UTF-8
    const struct {
        const char* job;
        QString name;
        QString mode;
        bool refused;
    } cases[] = {
        {"Inc248", e.repeated(124), kIncrement, false},
        {"Inc252", e.repeated(126), kIncrement, true},
        {"Inc253", e.repeated(126) + "a", kIncrement, true},
        {"Inc256", e.repeated(128), kIncrement, true},
        {"Ovr251", e.repeated(125) + "a", kOverwrite, false},
        {"Ovr252", e.repeated(126), kOverwrite, true},
        {"Ovr253", e.repeated(126) + "a", kOverwrite, true},
        {"Ovr256", e.repeated(128), kOverwrite, true},
    };
    for (const auto& c : cases) {
        Job j = job(c.job, kInterval, "1");
        j.saveName = c.name;
        j.savingType = c.mode;
        store(j);
    }

    testing::internal::CaptureStderr();
    start();
    const QStringList toldAtRead = prog.autocaptureWindows().failureNotice->failures();
    pollIntoNextMinute();
    mainWindow().loadJobTable();
    pollIntoNextMinute();
    const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());

    const QStringList files = saved();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        const QString start = QStringLiteral("AutoCapture job \"%1\": Error: 52  ").arg(c.job);
        const bool toldOnRead = std::any_of(
            toldAtRead.begin(), toldAtRead.end(),
            [&](const QString& line) { return line.contains(start + "Bad file name"); });
        EXPECT_EQ(toldOnRead, c.refused);
        EXPECT_EQ(told.count(start), c.refused ? 1 : 0) << qPrintable(told);
        const bool fired = std::any_of(files.begin(), files.end(), [&](const QString& file) {
            return file.startsWith(c.name);
        });
        EXPECT_EQ(fired, !c.refused);
    }
    const FailureNotice& notice = prog.autocaptureWindows().failureNotice.get();
    EXPECT_EQ(notice.failures().size(), 6);
    EXPECT_EQ(notice.failureList->horizontalScrollBar()->maximum(), 0) << "the names wrap";
}

}  // namespace
}  // namespace qv::autocapture::schedulertests
