#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QProcess;

namespace qv::platform {

// Starts a desktop helper (xdg-open, xdg-email) that may either fail at once or go on
// running the program it opened. Its answer is awaited for a short settling time; a helper
// still running then has started something and is left to run on.
class Launcher {
public:
    struct Outcome {
        enum class Status { Running, Exited, FailedToStart };
        Status status = Status::FailedToStart;
        int exitCode = -1;
        QString errorText;
    };

    explicit Launcher(int settleMs = 2000);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    Outcome launch(const QString& program, const QStringList& arguments);

private:
    int settleMs_;
    std::vector<std::unique_ptr<QProcess>> running_;
};

}  // namespace qv::platform
