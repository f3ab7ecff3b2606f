#include "platform/linux/qtprocess.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <cerrno>
#include <cstring>

#include "platform/exitcleanup.h"
#include "platform/linux/erroroutput.h"
#include "platform/linux/memfdfile.h"
#include "platform/linux/paintevents.h"

namespace qv::platform {

namespace {

// The toolkit's text for a failed start names the failing call's error for some of its steps
// only: with no descriptor left, its failed open of the null device reads "No such file or
// directory". A shortage of descriptors is asked of the system itself.
QString whyNotStarted(const QProcess& process) {
    const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (probe >= 0)
        ::close(probe);
    else if (errno == EMFILE || errno == ENFILE)
        return QString::fromLocal8Bit(std::strerror(errno));
    return process.errorString();
}

}  // namespace

std::unique_ptr<MemoryFile> QtProcess::memoryFile(const QString& name) {
    return MemfdFile::create(name);
}

ProcessResult QtProcess::run(const QString& program, const QStringList& arguments, int timeoutMs,
                             const MemoryFile* handedOver) {
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                : QDeadlineTimer(timeoutMs));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    // Our files are closed on exec; the one handed over stays open in this program alone (the
    // change is made in the started process, between its fork and its exec).
    if (const int fd = handedOver ? handedOver->descriptor() : -1; fd >= 0)
        process.setChildProcessModifier([fd] { ::fcntl(fd, F_SETFD, 0); });
    ErrorOutput& errorOutput = ErrorOutput::attach(process);
    process.start(QIODevice::ReadOnly);
    // Losing the display ends the program from inside the wait below.
    const ExitCleanup endProcess([&process] {
        process.kill();
        process.waitForFinished(3000);
    });
    ProcessResult result;
    // The converter can take a while on a big screen: our windows keep painting meanwhile.
    const bool started = waitPainting(
        [&process](int ms) {
            return process.state() != QProcess::Starting || process.waitForStarted(ms);
        },
        deadline);
    if (!started || process.error() == QProcess::FailedToStart) {
        result.status = ProcessResult::Status::FailedToStart;
        result.errorText = whyNotStarted(process);
        process.kill();
        process.waitForFinished();
        return result;
    }
    const bool finished = waitPainting(
        [&process](int ms) {
            return process.state() == QProcess::NotRunning || process.waitForFinished(ms);
        },
        deadline);
    if (!finished) {
        // Killed and reaped before we return, so that neither it nor what it writes outlives
        // the program (its source is removed once we return).
        process.kill();
        process.waitForFinished();
        result.status = ProcessResult::Status::TimedOut;
        result.errorText =
            waitsStopped()
                ? QStringLiteral("%1 was stopped because the program is ending").arg(program)
                : QStringLiteral("%1 did not finish within %2 ms and was stopped")
                      .arg(program)
                      .arg(timeoutMs);
        return result;
    }
    const QString stderrText = errorOutput.text();
    if (process.exitStatus() == QProcess::CrashExit) {
        result.status = ProcessResult::Status::Crashed;
        result.errorText = stderrText.isEmpty() ? process.errorString() : stderrText;
        return result;
    }
    result.status = ProcessResult::Status::Finished;
    result.exitCode = process.exitCode();
    result.errorText = stderrText;
    return result;
}

}  // namespace qv::platform
