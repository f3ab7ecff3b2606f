#pragma once

#include "platform/process.h"

namespace qv::platform {

// Runs a helper program through QProcess with its argument list and waits for it; memory files
// are anonymous files of the kernel (memfd), read by the program as /dev/fd/N.
class QtProcess : public Process {
public:
    using Process::run;
    ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs,
                      const MemoryFile* handedOver) override;
    std::unique_ptr<MemoryFile> memoryFile(const QString& name) override;
};

}  // namespace qv::platform
