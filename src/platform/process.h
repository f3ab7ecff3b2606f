#pragma once

#include <QString>
#include <QStringList>

namespace qv::platform {

struct ProcessResult {
    enum class Status { Finished, FailedToStart, TimedOut, Crashed };
    Status status = Status::FailedToStart;
    int exitCode = -1;
    QString errorText;  // stderr of the program, or why it could not run
    bool ok() const { return status == Status::Finished && exitCode == 0; }
};

// Runs a helper program without a window and waits for it.
class Process {
public:
    virtual ~Process() = default;
    // Never goes through a shell: arguments reach the program as given. A program still
    // running after timeoutMs is killed.
    virtual ProcessResult run(const QString& program, const QStringList& arguments,
                              int timeoutMs) = 0;
};

}  // namespace qv::platform
