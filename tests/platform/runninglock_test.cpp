#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "platform/linux/runninglock.h"
#include "support/linkedfolders.h"

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

// The lock stays with the settings folder a second start looks at: whatever is done to the
// lock file while a copy runs, a second start finds the first one there.
TEST_F(RunningLockTest, WhateverIsDoneToItsFileMeanwhileASecondStartIsKeptOut) {
    const std::pair<const char*, std::function<bool(const QString&)>> cases[] = {
        {"removed", [](const QString& p) { return QFile::remove(p); }},
        {"renamed", [](const QString& p) { return QFile::rename(p, p + ".old"); }},
        {"a link to nowhere in its place",
         [](const QString& p) { return QFile::remove(p) && QFile::link(p + ".none", p); }},
        {"a link to a file in its place",
         [](const QString& p) {
             QFile f(p + ".mine");
             return QFile::remove(p) && f.open(QIODevice::WriteOnly) &&
                    QFile::link(f.fileName(), p);
         }},
        {"another file in its place",
         [](const QString& p) {
             QFile f(p);
             return QFile::remove(p) && f.open(QIODevice::WriteOnly) && f.write("1\n") == 2;
         }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        const QString at = RunningLock::pathFor(dir.filePath(QStringLiteral("quorvalline")));
        RunningLock first(at);
        ASSERT_EQ(first.take(), Outcome::Taken) << first.problem().toStdString();
        ASSERT_TRUE(change(at));
        RunningLock second(at);
        EXPECT_EQ(second.take(), Outcome::HeldElsewhere);
    }
}

// A copy of an older build locks the lock file alone: a start beside it still finds it.
TEST_F(RunningLockTest, ACopyThatLocksTheFileAloneKeepsASecondStartOut) {
    const QString at = RunningLock::pathFor(dir_.path());
    const int older = ::open(QFile::encodeName(at).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(older, 0);
    ASSERT_EQ(::flock(older, LOCK_EX | LOCK_NB), 0);
    RunningLock lock(at);
    EXPECT_EQ(lock.take(), Outcome::HeldElsewhere);
    ::close(older);
    EXPECT_EQ(lock.take(), Outcome::Taken);
}

// A settings folder that is, or lies under, a link of another user, or a link to another user's
// folder, is theirs: no lock is taken there, nothing is made in it, and the start says why. The
// user's own link to the user's own folder is followed. (Run as root, the other user is nobody.)
TEST_F(RunningLockTest, ASettingsFolderOfOrThroughAnotherUsersLinkIsNotUsed) {
    for (const auto& c : testsupport::linkedSettingsFolders()) {
        SCOPED_TRACE(testing::Message() << c.linked << " " << c.linkOwner << " " << c.folderOwner);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target"));
        ASSERT_TRUE(QDir().mkpath(target));
        const QString settings = dir.filePath(QStringLiteral("config/quorvalline"));
        const QString link = dir.filePath(QString::fromLatin1(c.linked));
        ASSERT_NO_FATAL_FAILURE(testsupport::makeLink(link, target));
        if (!testsupport::giveLinkAndTarget(link, c.linkOwner, target, c.folderOwner))
            GTEST_SKIP() << "cannot give a file to another user";

        RunningLock lock(RunningLock::pathFor(settings));
        if (c.used) {
            EXPECT_EQ(lock.take(), Outcome::Taken) << lock.problem().toStdString();
            continue;
        }
        EXPECT_EQ(lock.take(), Outcome::Unavailable);
        EXPECT_TRUE(lock.problem().contains(QLatin1String("another user")))
            << lock.problem().toStdString();
        EXPECT_TRUE(QDir(target).isEmpty());
    }
}

}  // namespace
}  // namespace qv::platform
