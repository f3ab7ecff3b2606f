// One poll of the scheduled captures with 200 window-title jobs, none matching, against the
// bare read of the foreground window's title the poll makes anyway; on Xvfb with a window
// manager and another client's window in front. Also reports which timers of the jobs run
// while the editor is hidden.
#include <QApplication>
#include <QProcess>
#include <QTextStream>
#include <cstdio>

#include "app/program.h"
#include "autocapture/jobrecords.h"
#include "autocapture/windows.h"
#include "bench/benchutil.h"
#include "fakes/fakeplatform.h"
#include "platform/linux/x11desktop.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"
#include "support/xserver.h"

int main(int argc, char** argv) {
    using namespace qv;
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 2001);
    QTextStream out(stdout);
    testsupport::XServer server({.size = {1280, 800}, .windowManager = true});
    if (!server.error().isEmpty()) {
        out << "skipped: " << server.error() << "\n";
        return 0;
    }
    qputenv("DISPLAY", server.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);

    QProcess other;
    other.start("xlogo", {"-title", "Some other program", "-geometry", "300x200+100+100"});
    fakes::FakePlatform fake;
    fake.services().desktop = std::make_unique<platform::X11Desktop>();
    platform::Desktop& desktop = platform::desktop();
    testsupport::XServer::waitFor([&] {
        QCoreApplication::processEvents();
        return desktop.windowTitle(desktop.foregroundWindow()) == "Some other program";
    });

    for (int i = 0; i < 200; ++i) {
        autocapture::writeJob({QStringLiteral("Job %1").arg(i), autocapture::kWindowTitle,
                               autocapture::kScreen, QStringLiteral("Title %1").arg(i), "/tmp",
                               "shot", ".png", autocapture::kIncrement});
    }
    Program program;
    shell::MainWindow& mainWindow = program.shellWindows().mainWindow.get();
    const int jobs = program.autocapture.jobTable.count();

    const double bare = bench::medianMs(runs, [&] {
        const QString title = desktop.windowTitle(desktop.foregroundWindow());
        Q_UNUSED(title);
    });
    // Each tick sees the title as new, so the title trigger scans every row.
    const double poll = bench::medianMs(
        runs, [&] { mainWindow.autoCapturePoll->onTimeout(); },
        [&] { mainWindow.forgetForegroundTitle(); });

    auto& editor = program.autocaptureWindows().jobEditor.get();
    editor.hide();
    out << QStringLiteral("%1 jobs: bare title read %2 us, poll tick %3 us, ratio %4\n")
               .arg(jobs)
               .arg(bare * 1000, 0, 'f', 1)
               .arg(poll * 1000, 0, 'f', 1)
               .arg(poll / bare, 0, 'f', 2);
    out << QStringLiteral(
               "timers while the editor is hidden: poll every %1 ms (%2), window "
               "pick %3\n")
               .arg(mainWindow.autoCapturePoll->interval())
               .arg(mainWindow.autoCapturePoll->isActive() ? "running" : "stopped")
               .arg(editor.windowPick->isActive() ? "running" : "stopped");
    other.kill();
    other.waitForFinished(3000);
    return 0;
}
