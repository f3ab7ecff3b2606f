// The program at its limit of open files: its screen still freezes, its failed save is reported
// in a box the user can close, and where nothing at all can be drawn, a signal still ends it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

class DescriptorLimitX : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<XServer>(XServer::Options{.size = {800, 600}});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        for (const char* folder : {"tmp", "saved", "config"})
            ASSERT_TRUE(QDir().mkpath(dir.filePath(QString::fromLatin1(folder))));
        writeCaptureAndSaveSettings(dir.filePath("config/quorvalline/registry"),
                                    dir.filePath("saved"));
        env = isolatedEnvironment(env, server->display(), dir);
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
    }

    QString shown(const char* name) const {
        return xdotool(env, {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                             "--name", name})
            .section(u'\n', 0, 0)
            .trimmed();
    }
    QStringList openDescriptors() const {
        return QDir(QStringLiteral("/proc/%1/fd").arg(pid))
            .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
    // Once the program has closed what it opened for a while (a capture's clipboard, a
    // settings file): the same descriptors open over twenty reads in a row.
    bool descriptorsSettled() const {
        QStringList last;
        int sameReads = 0;
        return XServer::waitFor(
            [&] {
                const QStringList now = openDescriptors();
                sameReads = now == last ? sameReads + 1 : 0;
                last = now;
                return sameReads >= 20;
            },
            30000);
    }
    // The lowest descriptor number the program has free: the system gives out the lowest free
    // number, and none at or above the limit, so a limit there leaves it none at all (however
    // many it holds above, as one the test program's own process may leave it).
    int lowestFreeDescriptor() const {
        const QStringList open = openDescriptors();
        int free = 0;
        while (open.contains(QString::number(free)))
            ++free;
        return free;
    }
    void start() {
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
        ASSERT_TRUE(program.waitForStarted());
        pid = program.processId();
    }
    void limitDescriptors(int limit) {
        ASSERT_TRUE(descriptorsSettled());
        if (limit < 0)
            limit = lowestFreeDescriptor();
        const rlimit lowered{rlim_t(limit), rlim_t(limit)};
        ASSERT_EQ(::prlimit(pid_t(pid), RLIMIT_NOFILE, &lowered, nullptr), 0);
    }
    // The save pressed: the box about its failure, once it is made. A press that comes while
    // the capture still waits is dropped, so it is pressed again until the box is there.
    QString boxAfterSave(int attempts) {
        QString box;
        for (int attempt = 0; attempt < attempts && box.isEmpty(); ++attempt) {
            server->run(QStringLiteral("xdotool"), {"key", "ctrl+s"});
            XServer::waitFor([&] { return !(box = shown("^ Quorvalline $")).isEmpty(); }, 3000);
        }
        return box;
    }
    // Only a box that is drawn and answers takes its Return.
    bool closes(const QString& box) const {
        return XServer::waitFor(
            [&] {
                xdotool(env, {"windowfocus", "--sync", box, "key", "--window", box, "Return"});
                return shown("^ Quorvalline $").isEmpty();
            },
            20000);
    }

    std::unique_ptr<XServer> server;
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess program;
    qint64 pid = 0;
};

// As the user met it: the program at its limit of open files, the screen frozen and the save
// pressed. Windows need descriptors of their own to be drawn; a program that had none left hung
// in the box for good, over its frozen screen, deaf to SIGTERM. The second box finds what the
// first let go.
TEST_F(DescriptorLimitX, AFailedSaveWithNoDescriptorLeftIsReportedInABoxThatCloses) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(XServer::waitFor([&] { return !shown("^Quorvalline$").isEmpty(); }, 30000));
    ASSERT_NO_FATAL_FAILURE(limitDescriptors(-1));
    ASSERT_TRUE(captureTheScreen(*server, [&] { return !shown("^Frozen Screen$").isEmpty(); }))
        << "the capture never showed";
    for (const char* round : {"first", "second"}) {
        SCOPED_TRACE(round);
        const QString box = boxAfterSave(10);
        ASSERT_FALSE(box.isEmpty()) << "no box came";
        ASSERT_TRUE(closes(box)) << "the box was never drawn and never closed";
        EXPECT_FALSE(shown("^Frozen Screen$").isEmpty()) << "the frozen screen went with the box";
    }
    EXPECT_TRUE(QDir(dir.filePath("saved")).isEmpty());

    ::kill(pid_t(pid), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

// With no descriptor to be had at all (a limit of the three standard streams), not even those
// it keeps in reserve help: drawing the box (or what is left of the frozen screen) hangs. A
// signal must still end the program, and with it the frozen screen, at once.
TEST_F(DescriptorLimitX, ASignalEndsTheProgramStuckWhereItCannotDraw) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(captureTheScreen(*server, [&] { return !shown("^Frozen Screen$").isEmpty(); }))
        << "the capture never showed";
    ASSERT_NO_FATAL_FAILURE(limitDescriptors(3));
    boxAfterSave(3);
    QElapsedTimer sinceSignal;
    sinceSignal.start();
    ::kill(pid_t(pid), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(5000)) << "SIGTERM did not end the stuck program";
    // The program gives itself under a second; the rest is room for a loaded machine.
    EXPECT_LT(sinceSignal.elapsed(), 3000) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit)
        << "it ended in order: it was not stuck, and the test tests nothing";
    EXPECT_TRUE(shown("^Frozen Screen$").isEmpty());
}

}  // namespace
}  // namespace qv::testsupport
