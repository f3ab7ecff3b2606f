#include "platform/linux/linkowners.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <deque>

namespace qv::platform {

namespace {

// As many links as the kernel follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

struct Part {
    QByteArray name;
    // The link whose target ends with this part: what stands here is what the link leads to.
    QString endOfLink;
};

void addParts(std::deque<Part>& parts, const QByteArray& path, const QString& endOfLink) {
    QByteArrayList names = path.split('/');
    names.removeAll(QByteArray());
    // A path of the root alone ends at the folder it starts from.
    if (names.isEmpty())
        names << QByteArray(".");
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        parts.push_front({names[i], i == names.size() - 1 ? endOfLink : QString()});
}

QString below(const QString& folder, const QByteArray& name) {
    if (name == ".")
        return folder;
    if (name == "..")
        return QDir::cleanPath(folder + QStringLiteral("/.."));
    return folder.endsWith(u'/') ? folder + QFile::decodeName(name)
                                 : folder + u'/' + QFile::decodeName(name);
}

QByteArray linkTarget(int link) {
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlinkat(link, "", target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size())
        return {};
    target.truncate(length);
    return target;
}

WalkedPath walk(Descriptor folder, QString shown, std::deque<Part> parts, MakeFolders make) {
    WalkedPath walked;
    int links = 0;
    while (!parts.empty()) {
        const Part part = parts.front();
        parts.pop_front();
        const bool last = parts.empty();
        const QString here = below(shown, part.name);
        walked.shown = here;
        Descriptor at(
            ::openat(folder.get(), part.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!at.valid() && errno == ENOENT && make == MakeFolders::AllParts) {
            if (::mkdirat(folder.get(), part.name.constData(), 0700) != 0 && errno != EEXIST) {
                walked.error = errno;
                return walked;
            }
            at.reset(
                ::openat(folder.get(), part.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        }
        struct stat status {};
        if (!at.valid() || ::fstat(at.get(), &status) != 0) {
            walked.error = errno;
            // Nothing at the last part: its place is reached.
            if (walked.error == ENOENT && last) {
                walked.error = 0;
                walked.folder = std::move(folder);
                walked.name = part.name;
            }
            return walked;
        }
        if (S_ISLNK(status.st_mode)) {
            if (!isTrustedOwner(status.st_uid)) {
                walked.refusal =
                    QStringLiteral("%1 is a link that belongs to another user").arg(here);
                return walked;
            }
            const QByteArray target = linkTarget(at.get());
            if (++links > kMaxLinks || target.isEmpty()) {
                walked.error = target.isEmpty() ? EINVAL : ELOOP;
                return walked;
            }
            // What the link leads to stands where its own parts end; a link that ends at
            // another link ends where that one does.
            addParts(parts, target, part.endOfLink.isEmpty() ? here : part.endOfLink);
            if (target.startsWith('/')) {
                folder.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                shown = QStringLiteral("/");
            }
            continue;
        }
        if (!part.endOfLink.isEmpty() && !isTrustedOwner(status.st_uid)) {
            walked.refusal = QStringLiteral("%1 is a link to %2, which belongs to another user")
                                 .arg(part.endOfLink, here);
            return walked;
        }
        if (last) {
            walked.folder = std::move(folder);
            walked.name = part.name;
            walked.at = std::move(at);
            walked.status = status;
            return walked;
        }
        if (!S_ISDIR(status.st_mode)) {
            walked.error = ENOTDIR;
            return walked;
        }
        folder = std::move(at);
        shown = here;
    }
    return walked;
}

}  // namespace

bool isTrustedOwner(uid_t owner) {
    return owner == ::geteuid() || owner == 0;
}

WalkedPath walkPath(const QString& path, MakeFolders make) {
    const QByteArray name = QFile::encodeName(path);
    const bool absolute = name.startsWith('/');
    std::deque<Part> parts;
    addParts(parts, name, {});
    return walk(Descriptor(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC)),
                absolute ? QStringLiteral("/") : QDir::currentPath(), std::move(parts), make);
}

WalkedPath walkOn(const WalkedPath& where, const QString& name) {
    if (!where.exists() || !S_ISDIR(where.status.st_mode)) {
        WalkedPath walked;
        walked.shown = where.shown;
        walked.refusal = where.refusal;
        if (where.refusal.isEmpty())
            walked.error = where.error != 0 ? where.error : where.exists() ? ENOTDIR : ENOENT;
        return walked;
    }
    std::deque<Part> parts;
    addParts(parts, QFile::encodeName(name), {});
    return walk(Descriptor(::fcntl(where.at.get(), F_DUPFD_CLOEXEC, 0)), where.shown,
                std::move(parts), MakeFolders::None);
}

}  // namespace qv::platform
