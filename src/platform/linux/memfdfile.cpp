#include "platform/linux/memfdfile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace qv::platform {

std::unique_ptr<MemfdFile> MemfdFile::create(const QString& name) {
    int fd = ::memfd_create(QFile::encodeName(name).constData(), MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // A program started with its standard streams closed would get this file as one of them
    // and lose it when the started program's streams are set up.
    if (fd <= STDERR_FILENO) {
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(fd);
        if (moved < 0)
            return nullptr;
        fd = moved;
    }
    std::unique_ptr<MemfdFile> file(new MemfdFile(fd));
    if (!file->file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                          QFileDevice::DontCloseHandle) ||
        ::access(QFile::encodeName(file->path()).constData(), R_OK) != 0)
        return nullptr;
    return file;
}

MemfdFile::MemfdFile(int fd) : fd_(fd) {}

MemfdFile::~MemfdFile() {
    file_.close();
    ::close(fd_);
}

QString MemfdFile::path() const {
    return QStringLiteral("/dev/fd/%1").arg(fd_);
}

}  // namespace qv::platform
