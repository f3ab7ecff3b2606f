// The program started on settings it cannot use as they are: it starts, says why in a box and
// on stderr, keeps running, and leaves what stands there as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

class SettingsFileX : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<XServer>(XServer::Options{.size = {800, 600}});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        ASSERT_TRUE(QDir().mkpath(dir.filePath("tmp")));
        ASSERT_TRUE(QDir().mkpath(settingsFolder()));
        env = isolatedEnvironment(env, server->display(), dir);
    }
    QString settingsFolder() const { return dir.filePath("config/quorvalline"); }
    QString settingsFile() const { return dir.filePath("config/quorvalline/registry"); }
    // What the program said on stderr, once it has said `text` or ended.
    QByteArray errorsOnceItSays(QProcess& program, const char* text) const {
        QByteArray said;
        XServer::waitFor(
            [&] {
                program.waitForReadyRead(50);
                said += program.readAllStandardError();
                return said.contains(text) || program.state() != QProcess::Running;
            },
            60000);
        return said;
    }
    bool boxShown(const QProcess& program) const {
        return XServer::waitFor(
            [&] {
                return !xdotool(env,
                                {"search", "--onlyvisible", "--pid",
                                 QString::number(program.processId()), "--name", "^ Quorvalline $"})
                            .isEmpty();
            },
            60000);
    }

    std::unique_ptr<XServer> server;
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each of these kept the program from ever showing a window (a FIFO, a lock another program
// holds) or ended it at its first write (a file size limit below the settings file).
TEST_F(SettingsFileX, SettingsItCannotUseStopNoStart) {
    const QByteArray settings = "[HKEY_CURRENT_USER\\Software\\Quorvalline\\Save]\n\"SaveDir\"=\"" +
                                QByteArray(20000, 'p') + "\"\n";
    const auto writeSettings = [&] {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(settings), settings.size());
    };
    const auto makeFifo = [&] {
        ASSERT_EQ(::mkfifo(QFile::encodeName(settingsFile()).constData(), 0600), 0);
    };
    const struct {
        const char* what;
        std::function<void()> make;
        bool lockHeld;
        rlim_t fileSizeLimit;
        const char* said;
    } cases[] = {
        {"a FIFO in the settings file's place", makeFifo, false, RLIM_INFINITY,
         "it is a named pipe"},
        {"another program holding the settings lock", writeSettings, true, RLIM_INFINITY,
         "was read without its lock"},
        {"a file size limit below the settings file", writeSettings, false, 8192, "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(settingsFile());
        c.make();
        const int lockHolder = c.lockHeld
                                   ? ::open(QFile::encodeName(settingsFile() + ".lock").constData(),
                                            O_RDWR | O_CREAT | O_CLOEXEC, 0600)
                                   : -1;
        if (c.lockHeld) {
            ASSERT_EQ(::flock(lockHolder, LOCK_EX), 0);
        }
        struct stat before {};
        ASSERT_EQ(::lstat(QFile::encodeName(settingsFile()).constData(), &before), 0);

        QProcess program;
        const rlim_t limit = c.fileSizeLimit;
        program.setChildProcessModifier([limit] {
            const rlimit capped{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &capped);
        });
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
        ASSERT_TRUE(program.waitForStarted());
        const QByteArray said = errorsOnceItSays(program, c.said);
        EXPECT_TRUE(said.contains(c.said)) << said.toStdString();
        EXPECT_TRUE(said.contains(QFile::encodeName(settingsFile()))) << said.toStdString();
        EXPECT_TRUE(boxShown(program));
        EXPECT_EQ(program.state(), QProcess::Running);

        ::kill(program.processId(), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        if (lockHolder >= 0)
            ::close(lockHolder);
        struct stat after {};
        ASSERT_EQ(::lstat(QFile::encodeName(settingsFile()).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        if (S_ISREG(after.st_mode)) {
            EXPECT_EQ(fileText(settingsFile()), settings);
        }
    }
}

}  // namespace
}  // namespace qv::testsupport
