#include "platform/linux/linkowners.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::platform {

namespace {

// As many links as the kernel follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

// Where the link at path leads, relative to its folder; empty when it cannot be read.
QString linkTarget(const QString& path) {
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length =
        ::readlink(QFile::encodeName(path).constData(), target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size())
        return {};
    target.truncate(length);
    return QDir(QFileInfo(path).path()).filePath(QFile::decodeName(target));
}

}  // namespace

QString linkOfAnotherUser(const QString& path) {
    const uid_t self = ::geteuid();
    QString at = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status {};
        // Nothing there: a link that leads nowhere has had its own owner checked.
        if (::lstat(QFile::encodeName(at).constData(), &status) != 0)
            return {};
        if (!S_ISLNK(status.st_mode)) {
            if (links == 0 || status.st_uid == self)
                return {};
            return QStringLiteral("it is a link to %1, which belongs to another user").arg(at);
        }
        if (status.st_uid != self && links == 0)
            return QStringLiteral("it is a link that belongs to another user");
        if (status.st_uid != self)
            return QStringLiteral("it leads on through %1, a link of another user").arg(at);
        at = linkTarget(at);
        if (at.isEmpty())
            return {};
    }
    // The open fails on its own with the system's reason.
    return {};
}

}  // namespace qv::platform
