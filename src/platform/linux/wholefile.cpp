#include "platform/linux/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::platform {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString kindOf(mode_t mode) {
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

QString sizeText(qint64 bytes) {
    return bytes >= (qint64(1) << 20) ? QStringLiteral("%1 MB").arg(bytes >> 20)
                                      : QStringLiteral("%1 bytes").arg(bytes);
}

// Closes the descriptor however the reading ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The file a link at path leads to, so that the link stays; path itself otherwise.
QString followLink(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? path : target;
}

// A temporary file of its own in the folder: a short hidden name, since a target name as long
// as the file system allows leaves no room for anything added to it.
class TemporaryBeside {
public:
    explicit TemporaryBeside(const QString& target)
        : name_(
              QFile::encodeName(QFileInfo(target).absolutePath() + QStringLiteral("/.qv-XXXXXX"))),
          fd_(::mkostemp(name_.data(), O_CLOEXEC)) {
        if (fd_ < 0)
            name_.clear();
    }
    ~TemporaryBeside() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    int fd() const { return fd_; }
    // Errno of the first failure, 0 when the file took the target's place.
    int moveTo(const QByteArray& target) {
        if (::fsync(fd_) != 0)
            return errno;
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0)
            return errno;
        if (::rename(name_.constData(), target.constData()) != 0)
            return errno;
        name_.clear();
        return 0;
    }

private:
    QByteArray name_;
    int fd_;
};

int writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count < 0 ? errno : ENOSPC;
        done += count;
    }
    return 0;
}

}  // namespace

QString replaceFileWhole(const QString& path, const QByteArray& bytes) {
    const QString target = followLink(path);
    const QByteArray targetName = QFile::encodeName(target);
    TemporaryBeside file(target);
    if (file.fd() < 0)
        return systemError(errno);
    // A file there keeps its permissions; a new one is the user's alone.
    struct stat existing {};
    if (::stat(targetName.constData(), &existing) == 0 &&
        ::fchmod(file.fd(), existing.st_mode & 07777) != 0)
        return systemError(errno);
    if (const int error = writeAll(file.fd(), bytes))
        return systemError(error);
    if (const int error = file.moveTo(targetName))
        return systemError(error);
    return {};
}

FileReading readFileWhole(const QString& path, qint64 maxBytes) {
    FileReading found;
    // Without O_NONBLOCK the open of a FIFO waits for a writer that may never come.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
        const int error = errno;
        found.outcome =
            error == ENOENT ? FileReading::Outcome::Missing : FileReading::Outcome::Unreadable;
        found.problem = systemError(error);
        return found;
    }
    if (S_ISDIR(status.st_mode)) {
        found.outcome = FileReading::Outcome::Unreadable;
        found.problem = systemError(EISDIR);
        return found;
    }
    found.outcome = FileReading::Outcome::Refused;
    if (!S_ISREG(status.st_mode)) {
        found.problem = kindOf(status.st_mode);
        return found;
    }
    const QString tooLarge = QStringLiteral("it is larger than %1").arg(sizeText(maxBytes));
    if (status.st_size > maxBytes) {
        found.problem = tooLarge;
        return found;
    }
    // The size can change while it is read: it is read up to the cap, never beyond.
    found.bytes.resize(qsizetype(status.st_size) + 1);
    qsizetype done = 0;
    for (;;) {
        if (done == found.bytes.size()) {
            if (done > maxBytes) {
                found.bytes.clear();
                found.problem = tooLarge;
                return found;
            }
            found.bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, qint64(done) * 2)));
        }
        const ssize_t count =
            ::read(fd.get(), found.bytes.data() + done, size_t(found.bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            found.bytes.clear();
            found.outcome = FileReading::Outcome::Unreadable;
            found.problem = systemError(errno);
            return found;
        }
        if (count == 0)
            break;
        done += count;
    }
    found.bytes.truncate(done);
    found.outcome = FileReading::Outcome::Read;
    return found;
}

}  // namespace qv::platform
