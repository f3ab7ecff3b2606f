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
#include "platform/linux/linkowners.h"

namespace qv::platform {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What stands at the settings folder's place, opened for reading only: nothing is ever written
// to it. Close-on-exec, so that the converter and the programs the user starts from us never
// hold our lock after we are gone.
Descriptor openFolderForLock(const WalkedPath& settings) {
    if (S_ISDIR(settings.status.st_mode))
        return Descriptor(
            ::openat(settings.at.get(), ".", O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC));
    Descriptor fd;
    // A file in the folder's place, as the last look found it.
    if (S_ISREG(settings.status.st_mode)) {
        fd.reset(::openat(settings.folder.get(), settings.name.constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
        struct stat status {};
        if (fd.valid() &&
            (::fstat(fd.get(), &status) != 0 || status.st_ino != settings.status.st_ino ||
             status.st_dev != settings.status.st_dev)) {
            fd.reset();
            errno = EBUSY;
        }
        return fd;
    }
    errno = ENOTDIR;
    return fd;
}

// The lock file in the folder: one we may only read is opened for reading; a link is never
// followed, since the file at its end may be anyone's.
Descriptor openFileForLock(int folder, const QByteArray& name) {
    constexpr int kCommon = O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW;
    Descriptor fd(::openat(folder, name.constData(), O_RDWR | O_CREAT | kCommon, 0600));
    if (!fd.valid())
        fd.reset(::openat(folder, name.constData(), O_RDONLY | kCommon));
    return fd;
}

int lockOnce(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Which process holds the lock, for a person who looks; nothing reads it back. Written only
// into a file of the user's own: one with another name too is some other file of theirs.
void notePid(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1 ||
        status.st_uid != ::geteuid())
        return;
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) != 0)
        return;
    [[maybe_unused]] const ssize_t n = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
}

}  // namespace

RunningLock::RunningLock(QString path) : path_(std::move(path)) {}

InstanceLock::Outcome RunningLock::take() {
    if (taken_)
        return Outcome::Taken;
    if (path_.isEmpty()) {
        problem_ = QStringLiteral("there is no place for the lock");
        return Outcome::Unavailable;
    }
    const QFileInfo lockFile(path_);
    // The first start in a new settings folder makes it.
    const WalkedPath settings = walkPath(lockFile.path(), MakeFolders::AllParts);
    if (!settings.reached() || !settings.exists()) {
        const int error = settings.error != 0 ? settings.error : ENOENT;
        problem_ = QStringLiteral("%1: %2").arg(
            path_, settings.refusal.isEmpty() ? systemError(error) : settings.refusal);
        return Outcome::Unavailable;
    }
    Descriptor folder = openFolderForLock(settings);
    const int folderError = folder.valid() ? lockOnce(folder.get()) : errno;
    if (folderError == EWOULDBLOCK)
        return Outcome::HeldElsewhere;
    Descriptor file;
    if (S_ISDIR(settings.status.st_mode))
        file = openFileForLock(settings.at.get(), QFile::encodeName(lockFile.fileName()));
    const int fileError = file.valid() ? lockOnce(file.get()) : EBADF;
    // A copy of an older build, which locks the file alone.
    if (fileError == EWOULDBLOCK)
        return Outcome::HeldElsewhere;
    // A folder that cannot be locked (no permission to read it, a network file system) leaves
    // the file to decide.
    if (folderError != 0 && fileError != 0) {
        problem_ = QStringLiteral("%1: %2").arg(path_, systemError(folderError));
        return Outcome::Unavailable;
    }
    if (folderError == 0)
        folder_ = std::move(folder);
    if (fileError == 0) {
        notePid(file.get());
        file_ = std::move(file);
    }
    taken_ = true;
    return Outcome::Taken;
}

QString RunningLock::pathFor(const QString& settingsFolder) {
    return QDir(settingsFolder).filePath(QStringLiteral("running.lock"));
}

QString RunningLock::defaultPath() {
    return pathFor(QFileInfo(FileRegistry::defaultPath()).absolutePath());
}

}  // namespace qv::platform
