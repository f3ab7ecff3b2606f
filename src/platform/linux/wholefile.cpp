#include "platform/linux/wholefile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
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

}  // namespace

// QSaveFile::write() only fills Qt's buffer and reports the whole size even on a full disk, and
// commit() renames even when its final flush failed: the bytes are flushed and synced here, so
// that commit() is left with nothing to write but the rename.
QString replaceFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + done, bytes.size() - done);
        if (count <= 0)
            break;
        done += count;
    }
    if (done < bytes.size() || file.error() != QFileDevice::NoError || !file.flush() ||
        ::fsync(file.handle()) != 0) {
        const int error = errno;
        // Cancelling puts its own text in place of the cause.
        const QString cause =
            file.error() != QFileDevice::NoError ? file.errorString() : systemError(error);
        file.cancelWriting();
        return cause;
    }
    if (!file.commit())
        return file.errorString();
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
