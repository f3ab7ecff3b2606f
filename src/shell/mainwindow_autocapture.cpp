// The scheduled captures: the poll, its two triggers and the automatic save of a fired job.
#include <QTextStream>

#include "autocapture/jobrecords.h"
#include "autocapture/jobsaver.h"
#include "autocapture/jobtimes.h"
#include "autocapture/schedulercontrol.h"
#include "autocapture/state.h"
#include "autocapture/windows.h"
#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "output/state.h"
#include "platform/services.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::shell {

void MainWindow::loadJobTable() {
    autocapture::reloadJobTable();
}

bool MainWindow::autoCaptureIdle() const {
    const QWidget* jobList = autocapture::windows().jobList.peek();
    // A dialog of ours runs its own event loop: a capture then would pull windows from under it.
    // A command's wait lets the poll's timer run: a capture then would run inside that command.
    return (jobList && jobList->isVisible()) || capture::state().freeze.desktopFrozen ||
           platform::Dialogs::anyOpen() || platform::Clock::waiting();
}

void MainWindow::pollAutoCapture() {
    auto& desktop = platform::desktop();
    const platform::WindowId front = desktop.foregroundWindow();
    const QString title = front != 0 ? desktop.windowTitle(front) : QString();
    auto idle = [this] { return autoCaptureIdle(); };
    auto fire = [this, front, title](const autocapture::JobRow& job) {
        fireJob(job, front, title);
    };

    // The title first, then the clock, each only when it changed since the last poll.
    if (title != foregroundTitle_) {
        foregroundTitle_ = title;
        if (!autoCaptureIdle())
            autocapture::state().jobTable.runTitleTrigger(title, idle, fire);
    }
    const QDateTime now = platform::clock().now();
    const QString minute = autocapture::clockText(now.time());
    if (minute != clockMinute_) {
        clockMinute_ = minute;
        autocapture::state().jobTable.runClockTrigger(now, idle, fire);
    }
}

void MainWindow::fireJob(const autocapture::JobRow& job, platform::WindowId front,
                         const QString& title) {
    auto& jobs = autocapture::state();
    jobs.autoCaptureRunning = true;
    if (job.captureType == autocapture::kActiveWindow) {
        // The desktop or an untitled window in front: nothing to capture. The flag goes at
        // once, or the user's next own capture would run silently.
        if (title.isEmpty() || platform::desktop().isDesktop(front)) {
            jobs.autoCaptureRunning = false;
            return;
        }
        setTargetWindow(front);
        captureActiveWindow();
    } else if (job.captureType == autocapture::kScreen) {
        captureEntireScreen();
    } else {
        jobs.autoCaptureRunning = false;
        return;
    }
    saveJobCapture(job);
}

void MainWindow::saveJobCapture(const autocapture::JobRow& job) {
    platform::clock().processEvents();
    auto& jobs = autocapture::state();
    const QImage image = capture::session().buffer;
    if (image.isNull()) {
        // The window went away before the capture: there is nothing to keep.
        jobs.autoCaptureRunning = false;
        QTextStream(stderr)
            << QStringLiteral("AutoCapture job \"%1\": nothing was captured").arg(job.name)
            << Qt::endl;
        if (capture::state().freeze.desktopFrozen)
            resetAfterRelease();
        return;
    }
    const auto error = autocapture::saveJobCapture(image, job, output::state().programFolder);
    jobs.autoCaptureRunning = false;
    if (!error) {
        resetAfterRelease();
        return;
    }
    // The frozen screen keeps the capture for Save As or Copy, and the scheduler stays idle
    // until the user releases it. The message stands over the frozen screen, which stays on
    // top of every window without an owner.
    const QString text = autocapture::jobFailureText(job.name, *error);
    QTextStream(stderr) << text << Qt::endl;
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                QStringLiteral(" Quorvalline "),
                                shell::windows().frozenScreen.peek());
}

}  // namespace qv::shell
