// The scheduled captures: the poll, its two triggers and the automatic save of a fired job.
#include "autocapture/jobrecords.h"
#include "autocapture/jobreports.h"
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

namespace {

constexpr int kPollInterval = 4000;

}  // namespace

void MainWindow::loadJobTable() {
    autocapture::reloadJobTable();
    pollWhileJobsMayFire();
}

void MainWindow::pollWhileJobsMayFire() {
    if (!autocapture::state().jobTable.anyMayFire()) {
        autoCapturePoll->stop();
        pollPaused_ = true;
        return;
    }
    if (autoCapturePoll->isActive())
        return;
    if (pollPaused_) {
        // A title or minute that came while no job could fire has passed unnoticed by a
        // running poll too; only what changes from now on fires.
        auto& desktop = platform::desktop();
        const platform::WindowId front = desktop.foregroundWindow();
        foregroundTitle_ = front != 0 ? desktop.windowTitle(front) : QString();
        clockMinute_ = autocapture::clockText(platform::clock().now().time());
        pollPaused_ = false;
    }
    autoCapturePoll->start(kPollInterval);
}

bool MainWindow::autoCaptureIdle() const {
    const QWidget* jobList = autocapture::windows().jobList.peek();
    // A command's wait lets the poll's timer run: a capture then would run inside that command.
    // A message box or file dialog of ours open meanwhile holds nothing back: the dialogs that
    // stand on the frozen screen, which a job's release would pull away, are open only while
    // it is frozen, and then no job fires.
    return (jobList && jobList->isVisible()) || capture::state().freeze.desktopFrozen ||
           platform::Clock::waiting();
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
    const autocapture::NoticeAside noticeAside;
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
    // The window may have gone away before the capture: then there is nothing to keep.
    const auto error = image.isNull()
                           ? std::optional<output::SaveError>()
                           : autocapture::saveJobCapture(image, job, output::state().programFolder);
    jobs.autoCaptureRunning = false;
    // A failure costs no other capture: the desktop comes back as after a save, so the jobs
    // due next fire, and the user is told without anything waiting for an answer.
    if (!image.isNull() || capture::state().freeze.desktopFrozen)
        resetAfterRelease();
    if (image.isNull())
        autocapture::reportJobFailure(job.name, QStringLiteral("nothing was captured"));
    else if (error)
        autocapture::reportJobFailure(job.name, error->message());
    else
        autocapture::reportJobSaved(job.name);
}

}  // namespace qv::shell
