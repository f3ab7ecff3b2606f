// The program ended by a signal while it waits for a converter that never returns.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

// The program copied into a folder of its own, with a converter beside it that notes its
// process id and then hangs.
class ConverterSignalX : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<XServer>(XServer::Options{.size = {800, 600}});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        for (const char* folder : {"bin", "tmp", "saved", "config"})
            ASSERT_TRUE(QDir().mkpath(dir.filePath(QString::fromLatin1(folder))));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QV_BIN_DIR "/quorvalline"), programPath()));
        writeConverter();
        writeCaptureAndSaveSettings(dir.filePath("config/quorvalline/registry"),
                                    dir.filePath("saved"));
        env = isolatedEnvironment(env, server->display(), dir);
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        if (const qint64 pid = converterPid(); pid > 0)
            ::kill(pid_t(pid), SIGKILL);
    }

    QString programPath() const { return dir.filePath("bin/quorvalline"); }
    QString pidFile() const { return dir.filePath("converter.pid"); }
    qint64 converterPid() const {
        QFile file(pidFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }

    void writeConverter() const {
        QFile script(dir.filePath("bin/Quorvalline32"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho $$ > '" + pidFile().toUtf8() + "'\nexec sleep 600\n");
        script.close();
        ASSERT_TRUE(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }
    bool frozenScreenShown() const {
        return !xdotool(env, {"search", "--onlyvisible", "--name", "^Frozen Screen$"})
                    .trimmed()
                    .isEmpty();
    }
    // The captured screen saved, up to the converter that hangs.
    bool saveReachesTheConverter() const {
        server->run(QStringLiteral("xdotool"), {"key", "ctrl+s"});
        return XServer::waitFor([&] { return converterPid() > 0; }, 30000);
    }

    // What stood in the way when a step failed: the program's windows on the screen and what
    // it wrote to its error output.
    QString whatTheProgramShows() {
        QStringList names;
        const QString ids = xdotool(env, {"search", "--onlyvisible", "--name", "."});
        for (const QString& id : ids.split(u'\n', Qt::SkipEmptyParts)) {
            // Only the line's end goes: the blanks around a box's title are part of it.
            QString name = xdotool(env, {"getwindowname", id});
            name.chop(1);
            names << u'"' + name + u'"';
        }
        return QStringLiteral("windows shown: %1; error output: %2")
            .arg(names.join(QStringLiteral(", ")),
                 QString::fromLocal8Bit(program.readAllStandardError()));
    }

    // The program started, its capture saved, up to the converter that hangs; its process id.
    qint64 startAndReachTheConverter() {
        program.setProcessEnvironment(env);
        program.start(programPath(), {});
        if (!program.waitForStarted())
            return 0;
        EXPECT_TRUE(captureTheScreen(*server, [&] { return frozenScreenShown(); }))
            << "the capture never showed; " << whatTheProgramShows().toStdString();
        EXPECT_TRUE(saveReachesTheConverter())
            << "no save reached the converter; " << whatTheProgramShows().toStdString();
        return converterPid();
    }
    // The converter would be stopped after a minute in any case; an end must not wait for that.
    void expectEndedInOrder(qint64 converter) {
        ASSERT_TRUE(program.waitForFinished(30000)) << "the program waited for the converter";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(converter)))
            << "the converter was left running or unreaped";
        EXPECT_TRUE(QDir(dir.filePath("tmp")).isEmpty()) << "the temporary bitmap stayed";
        EXPECT_TRUE(QDir(dir.filePath("saved")).isEmpty()) << "a partial target stayed";
    }

    std::unique_ptr<XServer> server;
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess program;
};

TEST_F(ConverterSignalX, ASignalEndsTheConverterAndTheProgramInOrder) {
    // SIGHUP: the session the program runs in has ended.
    const std::pair<int, const char*> endSignals[] = {{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};
    for (const auto& [signal, name] : endSignals) {
        SCOPED_TRACE(name);
        const qint64 converter = startAndReachTheConverter();
        ASSERT_GT(converter, 0);
        ::kill(pid_t(program.processId()), signal);
        expectEndedInOrder(converter);
        EXPECT_EQ(program.exitCode(), 0);
        ASSERT_TRUE(QFile::remove(pidFile()));
    }
}

// The X server goes away during a conversion: Qt ends the program at once, but not before the
// converter is ended and the temporary bitmap removed.
TEST_F(ConverterSignalX, LosingTheDisplayEndsTheConverterToo) {
    const qint64 converter = startAndReachTheConverter();
    ASSERT_GT(converter, 0);
    server->killServer();
    expectEndedInOrder(converter);
}

// A settings file that cannot be read is reported in a box before the start-up goes on; a
// signal while that box is open ends the program as at any other time.
TEST_F(ConverterSignalX, ASignalEndsTheProgramUnderTheStartUpBox) {
    const QString registry = dir.filePath("config/quorvalline/registry");
    ASSERT_TRUE(QFile::remove(registry));
    ASSERT_TRUE(QDir().mkpath(registry));
    program.setProcessEnvironment(env);
    program.start(programPath(), {});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(XServer::waitFor(
        [&] {
            QProcess xdotool;
            xdotool.setProcessEnvironment(env);
            xdotool.start("xdotool", {"search", "--onlyvisible", "--name", "^ Quorvalline $"});
            xdotool.waitForFinished(10000);
            return !xdotool.readAllStandardOutput().trimmed().isEmpty();
        },
        60000))
        << "the box about the settings file never showed";

    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000)) << "the box kept the program running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QFileInfo(registry).isDir()) << "the unreadable settings were touched";
}

}  // namespace
}  // namespace qv::testsupport
