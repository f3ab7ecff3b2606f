#pragma once

#include "platform/process.h"

namespace qv::platform {

// Runs a helper program through QProcess with its argument list and waits for it.
class QtProcess : public Process {
public:
    ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs) override;
};

}  // namespace qv::platform
