#pragma once

#include <QFile>
#include <memory>

#include "platform/process.h"

namespace qv::platform {

// An anonymous file of the kernel (memfd_create): it has no name in any folder, so nothing of
// it outlives the last process that has it open, whichever way that process ends. Another
// program reads it as /dev/fd/N while it has descriptor N open; it is closed on exec unless the
// starter keeps it open for that one program.
class MemfdFile : public MemoryFile {
public:
    // Null when the system makes none (an old kernel, a sandbox) or /dev/fd is missing.
    static std::unique_ptr<MemfdFile> create(const QString& name);
    ~MemfdFile() override;
    MemfdFile(const MemfdFile&) = delete;
    MemfdFile& operator=(const MemfdFile&) = delete;

    QFileDevice& device() override { return file_; }
    QString path() const override;
    int descriptor() const override { return fd_; }

private:
    explicit MemfdFile(int fd);

    int fd_;
    QFile file_;
};

}  // namespace qv::platform
