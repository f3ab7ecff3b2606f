#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/linux/runninglock.h"

namespace qv::platform {
namespace {

using Outcome = InstanceLock::Outcome;

class RunningLockTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("quorvalline-test.lock")); }
    QTemporaryDir dir_;
};

// What a crash, another program or an older build may have left at the lock's place: none of
// it stops a start, and the lock taken over it still keeps a second copy out.
TEST_F(RunningLockTest, WhateverWasLeftAtItsPlaceStopsNoStart) {
    const struct {
        const char* left;
        std::function<bool(const QString&)> make;
    } cases[] = {
        {"nothing", [](const QString&) { return true; }},
        {"an empty file",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly);
         }},
        {"other bytes",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("\x00\xff garbage\n", 11) == 11;
         }},
        {"a lock of another host",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("1\nQuorvalline\nelsewhere\n") > 0;
         }},
        {"a file that may only be read",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.setPermissions(QFile::ReadOwner);
         }},
        {"a folder", [](const QString& p) { return QDir().mkpath(p); }},
        // Never followed: the file at its end keeps its bytes, none is made where it leads.
        {"a link to a user's file",
         [](const QString& p) {
             QFile f(p + ".mine");
             return f.open(QIODevice::WriteOnly) && f.write("words") == 5 &&
                    QFile::link(p + ".mine", p);
         }},
        {"a link to nowhere", [](const QString& p) { return QFile::link(p + ".mine", p); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        QTemporaryDir dir;
        const QString at = dir.filePath(QStringLiteral("quorvalline-test.lock"));
        ASSERT_TRUE(c.make(at));
        const auto atLinksEnd = [&] {
            QFile f(at + ".mine");
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("none");
        };
        const QByteArray before = atLinksEnd();
        {
            RunningLock first(at);
            ASSERT_EQ(first.take(), Outcome::Taken) << first.problem().toStdString();
            RunningLock second(at);
            EXPECT_EQ(second.take(), Outcome::HeldElsewhere);
        }
        RunningLock afterTheFirst(at);
        EXPECT_EQ(afterTheFirst.take(), Outcome::Taken);
        EXPECT_EQ(atLinksEnd(), before);
    }
}

// The kernel lets go of the lock of a process that dies, however it dies.
TEST_F(RunningLockTest, AKilledHolderLeavesItFree) {
    int ready[2];
    int hold[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(hold), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RunningLock lock(path());
        const char taken = lock.take() == Outcome::Taken ? 1 : 0;
        [[maybe_unused]] ssize_t n = ::write(ready[1], &taken, 1);
        char byte = 0;
        n = ::read(hold[0], &byte, 1);  // until it is killed
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ASSERT_EQ(taken, 1);
    {
        RunningLock second(path());
        EXPECT_EQ(second.take(), Outcome::HeldElsewhere);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    RunningLock next(path());
    EXPECT_EQ(next.take(), Outcome::Taken);
    for (const int fd : {ready[0], ready[1], hold[0], hold[1]})
        ::close(fd);
}

// A program started while the lock is held (the converter, the pasting application) may run on
// after the program has ended; it must not keep the next start out.
TEST_F(RunningLockTest, ProgramsStartedMeanwhileDoNotHoldIt) {
    QProcess child;
    {
        RunningLock lock(path());
        ASSERT_EQ(lock.take(), Outcome::Taken);
        child.start(QStringLiteral("cat"), {});
        ASSERT_TRUE(child.waitForStarted());
    }
    RunningLock next(path());
    EXPECT_EQ(next.take(), Outcome::Taken);
    child.closeWriteChannel();
    EXPECT_TRUE(child.waitForFinished());
}

TEST_F(RunningLockTest, WithoutAPlaceForItItSaysWhy) {
    RunningLock nowhere(QString{});
    EXPECT_EQ(nowhere.take(), Outcome::Unavailable);
    EXPECT_FALSE(nowhere.problem().isEmpty());

    QFile blocker(dir_.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unmakeable = dir_.filePath(QStringLiteral("blocker/settings/running.lock"));
    RunningLock underAFile(unmakeable);
    EXPECT_EQ(underAFile.take(), Outcome::Unavailable);
    EXPECT_TRUE(underAFile.problem().contains(unmakeable));
}

// Two starts meet on the settings folder however they reach it, and whatever stands in its
// place: a link to it, a folder not made yet, a file where the folder should be (left as it
// was).
TEST_F(RunningLockTest, CopiesOfOneSettingsFolderMeetOnItsLock) {
    const QString settings = dir_.filePath(QStringLiteral("config/quorvalline"));
    ASSERT_TRUE(QDir().mkpath(dir_.filePath(QStringLiteral("config"))));
    ASSERT_TRUE(QFile::link(settings, dir_.filePath(QStringLiteral("linked"))));
    {
        RunningLock first(RunningLock::pathFor(settings));
        ASSERT_EQ(first.take(), Outcome::Taken) << first.problem().toStdString();
        RunningLock throughTheLink(RunningLock::pathFor(dir_.filePath(QStringLiteral("linked"))));
        EXPECT_EQ(throughTheLink.take(), Outcome::HeldElsewhere);
        RunningLock otherSettings(
            RunningLock::pathFor(dir_.filePath(QStringLiteral("config/other"))));
        EXPECT_EQ(otherSettings.take(), Outcome::Taken);
    }
    ASSERT_TRUE(QDir(settings).removeRecursively());
    QFile inItsPlace(settings);
    ASSERT_TRUE(inItsPlace.open(QIODevice::WriteOnly));
    ASSERT_EQ(inItsPlace.write("a user's file"), 13);
    inItsPlace.close();
    {
        RunningLock first(RunningLock::pathFor(settings));
        ASSERT_EQ(first.take(), Outcome::Taken) << first.problem().toStdString();
        RunningLock second(RunningLock::pathFor(settings));
        EXPECT_EQ(second.take(), Outcome::HeldElsewhere);
    }
    ASSERT_TRUE(inItsPlace.open(QIODevice::ReadOnly));
    EXPECT_EQ(inItsPlace.readAll(), "a user's file");
}

}  // namespace
}  // namespace qv::platform
