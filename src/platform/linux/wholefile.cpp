#include "platform/linux/wholefile.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdio.h>
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

// A temporary file of its own in the folder: a short hidden name, since a target name as long
// as the file system allows leaves no room for anything added to it. Gone again unless it was
// given its name.
class TemporaryBeside {
public:
    explicit TemporaryBeside(int folder) : folder_(folder) {
        static constexpr char kLetters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int tries = 0; tries < 100; ++tries) {
            QByteArray name = ".qv-";
            for (int i = 0; i < 6; ++i)
                name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
            fd_.reset(::openat(folder_, name.constData(),
                               O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            if (fd_.valid()) {
                name_ = name;
                return;
            }
            if (errno != EEXIST)
                return;
        }
    }
    ~TemporaryBeside() {
        fd_.reset();
        if (!name_.isEmpty())
            ::unlinkat(folder_, name_.constData(), 0);
    }
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    int fd() const { return fd_.get(); }
    // Writes bytes, syncs them to the disk and closes the file: errno of the first failure.
    int write(const QByteArray& bytes) {
        if (const int error = writeAll(fd_.get(), bytes))
            return error;
        if (::fsync(fd_.get()) != 0)
            return errno;
        return ::close(fd_.release()) == 0 ? 0 : errno;
    }
    // Gives the file its name, over whatever stands there or only where nothing does: errno
    // of the failure, 0 when it has the name.
    int moveTo(const QByteArray& target, bool replacing) {
        const int error =
            replacing
                ? (::renameat(folder_, name_.constData(), folder_, target.constData()) == 0 ? 0
                                                                                            : errno)
                : moveWithoutReplacing(folder_, name_, target);
        if (error == 0)
            name_.clear();
        return error;
    }

private:
    int folder_;
    QByteArray name_;
    Descriptor fd_;
};

}  // namespace

int moveWithoutReplacing(int folder, const QByteArray& from, const QByteArray& to) {
    if (::renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // A file system that cannot rename without replacing: a second name replaces nothing
    // either.
    if (::linkat(folder, from.constData(), folder, to.constData(), 0) != 0)
        return errno;
    return ::unlinkat(folder, from.constData(), 0) == 0 ? 0 : errno;
}

QString replaceFileAt(const WalkedPath& where, const QByteArray& bytes) {
    if (!where.refusal.isEmpty())
        return where.refusal;
    if (where.error != 0)
        return systemError(where.error);
    TemporaryBeside file(where.folder.get());
    if (file.fd() < 0)
        return systemError(errno);
    // A file there keeps its permissions; a new one is the user's alone.
    struct stat existing {};
    if (::fstatat(where.folder.get(), where.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) ==
            0 &&
        S_ISREG(existing.st_mode) && ::fchmod(file.fd(), existing.st_mode & 07777) != 0)
        return systemError(errno);
    if (const int error = file.write(bytes))
        return systemError(error);
    if (const int error = file.moveTo(where.name, true))
        return systemError(error);
    return {};
}

QString replaceFileWhole(const QString& path, const QByteArray& bytes) {
    return replaceFileAt(walkPath(path), bytes);
}

int keepNewFileAt(int folder, const QByteArray& name, const QByteArray& bytes) {
    TemporaryBeside file(folder);
    if (file.fd() < 0)
        return errno;
    if (const int error = file.write(bytes))
        return error;
    return file.moveTo(name, false);
}

FileReading readFileAt(const WalkedPath& where, qint64 maxBytes) {
    FileReading found;
    const auto failed = [&found](FileReading::Outcome outcome, const QString& problem) {
        found.outcome = outcome;
        found.problem = problem;
        found.opened.reset();
        found.bytes.clear();
        return std::move(found);
    };
    using Outcome = FileReading::Outcome;
    if (!where.refusal.isEmpty())
        return failed(Outcome::Refused, where.refusal);
    if (where.error != 0 || !where.exists()) {
        const int error = where.error != 0 ? where.error : ENOENT;
        return failed(error == ENOENT ? Outcome::Missing : Outcome::Unreadable, systemError(error));
    }
    // Judged before it is opened: the open of a FIFO or a device may do more than look.
    if (S_ISDIR(where.status.st_mode))
        return failed(Outcome::Unreadable, systemError(EISDIR));
    if (!S_ISREG(where.status.st_mode))
        return failed(Outcome::Refused, kindOf(where.status.st_mode));
    // Without O_NONBLOCK the open of a FIFO put there meanwhile would wait for a writer.
    found.opened.reset(::openat(where.folder.get(), where.name.constData(),
                                O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    struct stat& status = found.status;
    if (!found.opened.valid() || ::fstat(found.opened.get(), &status) != 0) {
        const int error = errno;
        return failed(error == ENOENT ? Outcome::Missing : Outcome::Unreadable, systemError(error));
    }
    if (status.st_dev != where.status.st_dev || status.st_ino != where.status.st_ino)
        return failed(Outcome::Unreadable, QStringLiteral("it was replaced while it was read"));
    const QString tooLarge = QStringLiteral("it is larger than %1").arg(sizeText(maxBytes));
    if (status.st_size > maxBytes)
        return failed(Outcome::Refused, tooLarge);
    // The size can change while it is read: it is read up to the cap, never beyond.
    found.bytes.resize(qsizetype(status.st_size) + 1);
    qsizetype done = 0;
    for (;;) {
        if (done == found.bytes.size()) {
            if (done > maxBytes)
                return failed(Outcome::Refused, tooLarge);
            found.bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, qint64(done) * 2)));
        }
        const ssize_t count = ::read(found.opened.get(), found.bytes.data() + done,
                                     size_t(found.bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return failed(Outcome::Unreadable, systemError(errno));
        if (count == 0)
            break;
        done += count;
    }
    found.bytes.truncate(done);
    found.outcome = Outcome::Read;
    return found;
}

FileReading readFileWhole(const QString& path, qint64 maxBytes) {
    return readFileAt(walkPath(path), maxBytes);
}

}  // namespace qv::platform
