// The program started twice, and ended by the signals a session sends.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

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
    // Once the first copy has claimed the settings folder, a second one finds it taken.
    bool firstCopyUp() const {
        return XServer::waitFor(
            [&] { return QFileInfo::exists(dir.filePath("config/quorvalline/running.lock")); },
            60000);
    }

    std::unique_ptr<XServer> server;
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess first;
    QProcess second;
};

TEST_F(SingleCopyX, ASecondStartSaysSoAndLeavesTheFirstRunning) {
    start(first);
    ASSERT_TRUE(firstCopyUp());
    start(second);
    ASSERT_TRUE(second.waitForFinished(60000)) << "the second copy kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("Quorvalline is already running."));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleCopyX, EndSignalsEndItInOrder) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        QProcess program;
        start(program);
        ASSERT_TRUE(firstCopyUp());
        ::kill(program.processId(), signal);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        // What it held is let go: the next start runs, and no temporary file stays.
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("config/quorvalline/running.lock")));
        EXPECT_TRUE(QDir(dir.filePath("tmp")).isEmpty());
    }
}

}  // namespace
}  // namespace qv::testsupport
