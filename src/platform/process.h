#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QFileDevice;

namespace qv::platform {

struct ProcessResult {
    enum class Status { Finished, FailedToStart, TimedOut, Crashed };
    Status status = Status::FailedToStart;
    int exitCode = -1;
    QString errorText;  // the start of the program's stderr, or why it could not run
    bool ok() const { return status == Status::Finished && exitCode == 0; }
};

// A file that lives in memory only, to hand data to a program run() starts: nothing of it is
// ever on a disk, and it is gone once the object is and the program has ended, however either
// of them ends.
class MemoryFile {
public:
    virtual ~MemoryFile() = default;
    // Written from its start, before the program runs.
    virtual QFileDevice& device() = 0;
    // The name the program reads it by.
    virtual QString path() const = 0;
    // The descriptor the program must have open for path() to name the file there, or -1 when
    // the name needs none.
    virtual int descriptor() const = 0;
};

// Runs a helper program without a window and waits for it.
class Process {
public:
    virtual ~Process() = default;
    // Never goes through a shell: arguments reach the program as given. A program still
    // running after timeoutMs is killed.
    ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs) {
        return run(program, arguments, timeoutMs, nullptr);
    }
    // The same; the program also gets handedOver (when given) to read by its path.
    virtual ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs,
                              const MemoryFile* handedOver) = 0;
    // A new empty memory file, or null where the system has none (a file on disk serves then).
    // name only tells a reader of the system's process tables what it is.
    virtual std::unique_ptr<MemoryFile> memoryFile(const QString& name) = 0;
};

}  // namespace qv::platform
