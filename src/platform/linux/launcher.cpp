#include "platform/linux/launcher.h"

#include <QProcess>
#include <algorithm>

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
    process->start();
    Outcome outcome;
    if (!process->waitForStarted(settleMs_)) {
        outcome.errorText = process->errorString();
        return outcome;
    }
    if (!process->waitForFinished(settleMs_)) {
        outcome.status = Outcome::Status::Running;
        QProcess* raw = process.get();
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
    outcome.errorText = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
    return outcome;
}

}  // namespace qv::platform
