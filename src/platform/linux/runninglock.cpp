#include "platform/linux/runninglock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/linux/fileregistry.h"

namespace qv::platform {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whatever stands at the path can carry the lock: a file we may only read, or a folder,
// is opened for reading. A link is never followed: the file at its end may be anyone's, and
// the lock then goes to the folder. Close-on-exec, so that the converter and the programs the
// user starts from us never hold our lock after we are gone.
int openForLock(const QByteArray& path, int& error) {
    constexpr int kCommon = O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | kCommon, 0600);
    if (fd >= 0)
        return fd;
    error = errno;
    fd = ::open(path.constData(), O_RDONLY | kCommon);
    return fd;
}

// What stands at the lock file's folder: a folder we may not write, or a file in a folder's
// place. Opened for reading only, and nothing is written to it.
int openFolderForLock(const QString& lockPath) {
    const QByteArray folder = QFile::encodeName(QFileInfo(lockPath).path());
    return ::open(folder.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

int lockOnce(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Which process holds the lock, for a person who looks; nothing reads it back. Written only
// into a file of its own: one with another name too is some other file of the user's.
void notePid(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1)
        return;
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) != 0)
        return;
    [[maybe_unused]] const ssize_t n = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
}

}  // namespace

RunningLock::RunningLock(QString path) : path_(std::move(path)) {}

RunningLock::~RunningLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

InstanceLock::Outcome RunningLock::take() {
    if (fd_ >= 0)
        return Outcome::Taken;
    if (path_.isEmpty()) {
        problem_ = QStringLiteral("there is no place for the lock");
        return Outcome::Unavailable;
    }
    // The first start in a new settings folder makes it.
    QDir().mkpath(QFileInfo(path_).path());
    int openError = 0;
    int fd = openForLock(QFile::encodeName(path_), openError);
    const bool ownFile = fd >= 0;
    // Every copy finds the same there, so they all meet on the same lock.
    if (!ownFile)
        fd = openFolderForLock(path_);
    if (fd < 0) {
        problem_ = QStringLiteral("%1: %2").arg(path_, systemError(openError));
        return Outcome::Unavailable;
    }
    if (const int error = lockOnce(fd); error != 0) {
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Outcome::HeldElsewhere;
        problem_ = QStringLiteral("%1: %2").arg(path_, systemError(error));
        return Outcome::Unavailable;
    }
    fd_ = fd;
    if (ownFile)
        notePid(fd_);
    return Outcome::Taken;
}

QString RunningLock::pathFor(const QString& settingsFolder) {
    return QDir(settingsFolder).filePath(QStringLiteral("running.lock"));
}

QString RunningLock::defaultPath() {
    return pathFor(QFileInfo(FileRegistry::defaultPath()).absolutePath());
}

}  // namespace qv::platform
