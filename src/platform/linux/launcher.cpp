#include "platform/linux/launcher.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <algorithm>

#include "platform/linux/erroroutput.h"
#include "platform/linux/paintevents.h"

namespace qv::platform {

Launcher::Launcher(int settleMs) : settleMs_(settleMs) {}

Launcher::~Launcher() {
    // Deleting a QProcess kills its program; what the user opened must outlive us.
    for (auto& process : running_) {
        process->disconnect();
        static_cast<void>(process.release());
    }
}

Launcher::Outcome Launcher::launch(const QString& program, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardOutputFile(QProcess::nullDevice());
    // Also what a helper left running writes is taken out of the pipe, not gathered.
    ErrorOutput& errorOutput = ErrorOutput::attach(*process);
    process->start();
    Outcome outcome;
    // A failed start leaves the process not running, which ends the wait at once.
    QProcess* raw = process.get();
    const bool started = waitPainting(
        [raw](int ms) { return raw->state() != QProcess::Starting || raw->waitForStarted(ms); },
        QDeadlineTimer(settleMs_));
    // A wait cut short because the program ends is no failure: what was opened runs on.
    if ((!started && !waitsStopped()) || raw->error() == QProcess::FailedToStart) {
        outcome.errorText = process->errorString();
        return outcome;
    }
    const bool ended = waitPainting(
        [raw](int ms) { return raw->state() == QProcess::NotRunning || raw->waitForFinished(ms); },
        QDeadlineTimer(settleMs_));
    if (!ended) {
        outcome.status = Outcome::Status::Running;
        // Reaped when it ends, so no finished helper stays behind.
        QObject::connect(raw, &QProcess::finished, raw, [this, raw] {
            auto it = std::find_if(running_.begin(), running_.end(),
                                   [raw](const auto& p) { return p.get() == raw; });
            if (it != running_.end()) {
                static_cast<void>(it->release());
                running_.erase(it);
                raw->deleteLater();
            }
        });
        running_.push_back(std::move(process));
        return outcome;
    }
    outcome.status = process->exitStatus() == QProcess::NormalExit ? Outcome::Status::Exited
                                                                   : Outcome::Status::FailedToStart;
    outcome.exitCode = process->exitCode();
    outcome.errorText = errorOutput.text();
    return outcome;
}

}  // namespace qv::platform
