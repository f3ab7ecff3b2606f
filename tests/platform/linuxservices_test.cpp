// The Linux services where no X server is needed.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/erroroutput.h"
#include "platform/linux/launcher.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/systemlocale.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "platform/linux/xdgmail.h"
#include "platform/linux/xdgshell.h"

namespace qv::platform {
namespace {

TEST(SystemLocale, OnlyTheUsSystemMeasuresInInches) {
    EXPECT_EQ(SystemLocale::measurementCode(QLocale::ImperialUKSystem), QStringLiteral("0"));
    EXPECT_EQ(SystemLocale::measurementCode(QLocale::ImperialUSSystem), QStringLiteral("1"));
}

TEST(OffX11, DesktopHotkeysShellAndMailDegradeSafely) {
    X11Desktop desktop;
    EXPECT_FALSE(desktop.screenSize().isEmpty());
    EXPECT_EQ(desktop.grab(QRect(0, 0, 10, 20)).size(), QSize(10, 20));
    EXPECT_EQ(desktop.foregroundWindow(), 0u);
    EXPECT_TRUE(desktop.windowFrame(0).isEmpty());
    EXPECT_EQ(X11Hotkeys().registerHotkey(1, ModControl, 'R'), hotkeyerror::NoWindowSystem);
    EXPECT_FALSE(XdgShell().restoreWindow(42));
    EXPECT_FALSE(XdgMail().sendDocument(QStringLiteral("/no/such/file.png")).isEmpty());
}

class QtProcessTest : public ::testing::Test {
protected:
    QString script(const QString& name, const QByteArray& body) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body);
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        return path;
    }
    QByteArray read(const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    QtProcess process;
};

TEST_F(QtProcessTest, ArgumentsReachProgramUnchangedThroughPathWithBlanksAndQuotes) {
    qputenv("QV_OUT", dir.filePath("out").toLocal8Bit());
    const QString program = script(QStringLiteral("a \"b\" c's/run me.sh"),
                                   "for a in \"$@\"; do printf '%s|' \"$a\"; done > \"$QV_OUT\"\n");
    const QStringList arguments{"x y", "\"q\"", "it's", "$HOME;`id`"};
    EXPECT_TRUE(process.run(program, arguments, 10000).ok());
    EXPECT_EQ(QString::fromLocal8Bit(read("out")), arguments.join('|') + '|');
}

TEST_F(QtProcessTest, ReportsExitCodeFailedStartCrashAndTimeOut) {
    const ProcessResult failed =
        process.run(script("fail.sh", "echo broken >&2\nexit 3\n"), {}, 10000);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(failed.errorText, QStringLiteral("broken"));
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(process.run(dir.filePath("missing"), {}, 10000).status,
              ProcessResult::Status::FailedToStart);
    EXPECT_EQ(process.run(script("crash.sh", "kill -SEGV $$\n"), {}, 10000).status,
              ProcessResult::Status::Crashed);

    qputenv("QV_PID", dir.filePath("pid").toLocal8Bit());
    QElapsedTimer elapsed;
    elapsed.start();
    const ProcessResult slow =
        process.run(script("slow.sh", "echo $$ > \"$QV_PID\"\nexec sleep 60\n"), {}, 300);
    EXPECT_EQ(slow.status, ProcessResult::Status::TimedOut);
    EXPECT_LT(elapsed.elapsed(), 10000);
    EXPECT_NE(::kill(read("pid").trimmed().toInt(), 0), 0);  // gone, not left running
}

// The converter's flood is seen through the saves; a desktop helper's is not shown anywhere.
TEST_F(QtProcessTest, OfAHelpersFloodOnStderrOnlyTheStartIsKept) {
    const QString flood = script(
        "flood.sh", "echo broken >&2\nhead -c 20000000 /dev/zero | tr '\\0' x >&2\nexit 3\n");
    const Launcher::Outcome launched = Launcher(60000).launch(flood, {});
    EXPECT_EQ(launched.exitCode, 3);
    EXPECT_LE(launched.errorText.size(), ErrorOutput::kKeptBytes);
    EXPECT_TRUE(launched.errorText.startsWith(QLatin1String("broken\nxxx")));
}

}  // namespace
}  // namespace qv::platform
