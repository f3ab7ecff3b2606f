#include "platform/linux/qtprocess.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace qv::platform {

ProcessResult QtProcess::run(const QString& program, const QStringList& arguments, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                : QDeadlineTimer(timeoutMs));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    ProcessResult result;
    if (!process.waitForStarted(int(deadline.remainingTime()))) {
        result.status = ProcessResult::Status::FailedToStart;
        result.errorText = process.errorString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished();
        result.status = ProcessResult::Status::TimedOut;
        result.errorText = QStringLiteral("%1 did not finish within %2 ms and was stopped")
                               .arg(program)
                               .arg(timeoutMs);
        return result;
    }
    const QString stderrText = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
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
