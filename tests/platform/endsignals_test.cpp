// A signal to end the program while its main thread runs its loop, and while it is stuck.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/exitcleanup.h"
#include "platform/linux/endsignals.h"

namespace qv::platform {
namespace {

const char kChildMode[] = "QV_END_SIGNALS_CHILD";
const char kCleanedMark[] = "QV_END_SIGNALS_CLEANED";

// The program to be ended: a scope whose undo leaves a mark, then its loop or a main thread
// that never comes back.
void beTheProgram(const QString& mode) {
    EndSignals endSignals;
    endSignals.endLoopsOf(*QCoreApplication::instance());
    const ExitCleanup mark(
        [] { QFile(qEnvironmentVariable(kCleanedMark)).open(QIODevice::WriteOnly); });
    std::puts("ready");
    std::fflush(stdout);
    if (mode == QLatin1String("loop")) {
        QCoreApplication::exec();
        return;
    }
    // Stuck as in an X reply that never comes: the read goes on after the handler.
    int never[2];
    ASSERT_EQ(::pipe(never), 0);
    char byte = 0;
    [[maybe_unused]] const ssize_t n = ::read(never[0], &byte, 1);
}

TEST(EndSignals, EachEndsTheProgramWithinASecondAlsoWhenItsMainThreadIsStuck) {
    if (const QString mode = qEnvironmentVariable(kChildMode); !mode.isEmpty()) {
        beTheProgram(mode);
        return;
    }
    const struct {
        int signal;
        const char* mode;
    } cases[] = {
        {SIGTERM, "stuck"}, {SIGINT, "stuck"}, {SIGHUP, "stuck"},
        {SIGTERM, "loop"},  {SIGINT, "loop"},  {SIGHUP, "loop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signal << ", " << c.mode);
        QTemporaryDir dir;
        const QString cleaned = dir.filePath(QStringLiteral("cleaned"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildMode), QString::fromLatin1(c.mode));
        env.insert(QString::fromLatin1(kCleanedMark), cleaned);
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=EndSignals.*")});
        QByteArray said;
        QElapsedTimer starting;
        starting.start();
        while (!said.contains("ready\n") && starting.elapsed() < 30000) {
            program.waitForReadyRead(100);
            said += program.readAllStandardOutput();
        }
        ASSERT_TRUE(said.contains("ready\n")) << said.toStdString();

        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(pid_t(program.processId()), c.signal);
        ASSERT_TRUE(program.waitForFinished(5000)) << "the signal did not end the program";
        // The program gives itself under a second; the rest is room for a loaded machine.
        EXPECT_LT(sinceSignal.elapsed(), 3000);
        if (QLatin1String(c.mode) == QLatin1String("stuck")) {
            // Ended by the signal itself, once the undos of the open scopes ran.
            EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
            EXPECT_TRUE(QFile::exists(cleaned)) << "the exit cleanups did not run";
        } else {
            // The loop ended and main() returned: its scopes closed in order.
            EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(program.exitCode(), 0);
            EXPECT_FALSE(QFile::exists(cleaned));
        }
    }
}

}  // namespace
}  // namespace qv::platform
