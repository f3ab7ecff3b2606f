// The program started twice, and ended by the signals a session sends.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/linux/runninglock.h"
#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

// Whether process pid holds a kernel lock on what stands at path, as /proc/locks tells.
bool holdsLockOn(qint64 pid, const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    const QString where = QString::asprintf("%02x:%02x:%lu", major(status.st_dev),
                                            minor(status.st_dev), (unsigned long)status.st_ino);
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // "1: FLOCK ADVISORY WRITE <pid> <dev:inode> 0 EOF"; a waiter's line has a "->".
        if (fields.size() >= 6 && fields[1] == "FLOCK" && fields[4].toLongLong() == pid &&
            QString::fromLatin1(fields[5]) == where)
            return true;
    }
    return false;
}

class SingleCopyX : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<XServer>(XServer::Options{.size = {800, 600}});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        ASSERT_TRUE(QDir().mkpath(dir.filePath("tmp")));
        env = isolatedEnvironment(env, server->display(), dir);
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second}) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    void start(QProcess& program) {
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
        ASSERT_TRUE(program.waitForStarted());
    }
    QString settingsFolder() const { return dir.filePath("config/quorvalline"); }
    QString lockPath() const { return platform::RunningLock::pathFor(settingsFolder()); }
    // Once a copy holds the lock (on its file, or on what stands in the settings folder's
    // place), a second one finds it taken.
    bool copyUp(const QProcess& program) const {
        return XServer::waitFor(
            [&] {
                return holdsLockOn(program.processId(), lockPath()) ||
                       holdsLockOn(program.processId(), settingsFolder());
            },
            60000);
    }
    // Only once the copies that held the lock have ended.
    bool lockFree() const {
        platform::RunningLock lock(lockPath());
        return lock.take() == platform::InstanceLock::Outcome::Taken;
    }
    // A copy that must not run says so in a box; its OK ends it.
    bool endsAfterItsBox(QProcess& program) const {
        bool boxShown = false;
        const bool ended = XServer::waitFor(
            [&] {
                const QString box = xdotool(env, {"search", "--onlyvisible", "--pid",
                                                  QString::number(program.processId()), "--name",
                                                  "^ Quorvalline $"})
                                        .section(u'\n', 0, 0);
                if (!box.isEmpty()) {
                    boxShown = true;
                    xdotool(env, {"windowfocus", "--sync", box, "key", "--window", box, "Return"});
                }
                return program.waitForFinished(100);
            },
            60000);
        return ended && boxShown;
    }

    std::unique_ptr<XServer> server;
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess first;
    QProcess second;
};

TEST_F(SingleCopyX, ASecondStartSaysSoAndLeavesTheFirstRunning) {
    start(first);
    ASSERT_TRUE(copyUp(first));
    start(second);
    ASSERT_TRUE(endsAfterItsBox(second)) << "the second copy kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("Quorvalline is already running."));
    EXPECT_EQ(first.state(), QProcess::Running);
}

// Another login session, `sudo -E` or a changed environment gives the second start another
// runtime folder; the settings are the same, so it still must not run.
TEST_F(SingleCopyX, ASecondStartWithAnotherRuntimeFolderSaysSoToo) {
    start(first);
    ASSERT_TRUE(copyUp(first));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("other-runtime")));
    QProcessEnvironment other = env;
    other.insert("XDG_RUNTIME_DIR", dir.filePath("other-runtime"));
    second.setProcessEnvironment(other);
    second.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
    ASSERT_TRUE(second.waitForStarted());
    ASSERT_TRUE(endsAfterItsBox(second)) << "a second copy ran on the same settings";
    EXPECT_TRUE(second.readAllStandardError().contains("Quorvalline is already running."));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleCopyX, EndSignalsEndItInOrder) {
    const std::pair<int, const char*> endSignals[] = {
        {SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
    for (const auto& [signal, name] : endSignals) {
        SCOPED_TRACE(name);
        QProcess program;
        start(program);
        ASSERT_TRUE(copyUp(program));
        ::kill(program.processId(), signal);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        // What it held is let go: the next start runs, and no temporary file stays.
        EXPECT_TRUE(lockFree());
        EXPECT_TRUE(QDir(dir.filePath("tmp")).isEmpty());
    }
}

// What a copy killed during its start, another host or another program left where the lock
// used to be never keeps the program from starting.
TEST_F(SingleCopyX, WhatWasLeftBehindStopsNoStart) {
    const QString old = dir.filePath("config/quorvalline/running.lock");
    const std::pair<const char*, QByteArray> files[] = {{"empty", ""},
                                                        {"other bytes", "\x01\xfe not a lock"},
                                                        {"another host", "1\nQuorvalline\nfar\n"}};
    ASSERT_TRUE(QDir().mkpath(settingsFolder()));
    auto startsOver = [&](const char* left) {
        SCOPED_TRACE(left);
        QProcess program;
        start(program);
        EXPECT_TRUE(copyUp(program)) << program.readAllStandardError().toStdString();
        program.terminate();
        EXPECT_TRUE(program.waitForFinished(60000));
    };
    for (const auto& [left, bytes] : files) {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
        file.close();
        startsOver(left);
        ASSERT_TRUE(QFile::remove(old));
    }
    ASSERT_TRUE(QDir().mkpath(old));
    startsOver("a folder");
}

// The settings folder cannot be made (a file stands in its place): the lock is taken on that
// file, which is left as it was, and a second copy is still kept out.
TEST_F(SingleCopyX, ASettingsFolderItCannotWriteStillKeepsASecondCopyOut) {
    ASSERT_TRUE(QDir().mkpath(dir.filePath("config")));
    QFile blocker(settingsFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    ASSERT_EQ(blocker.write("a user's file"), 13);
    blocker.close();
    start(first);
    ASSERT_TRUE(copyUp(first));
    start(second);
    ASSERT_TRUE(endsAfterItsBox(second)) << "a second copy ran";
    EXPECT_TRUE(second.readAllStandardError().contains("Quorvalline is already running."));
    EXPECT_EQ(first.state(), QProcess::Running);
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), "a user's file");
}

}  // namespace
}  // namespace qv::testsupport
