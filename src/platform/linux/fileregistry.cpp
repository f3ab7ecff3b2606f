#include "platform/linux/fileregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/paintevents.h"
#include "platform/linux/realclock.h"
#include "platform/linux/registrytext.h"
#include "platform/linux/wholefile.h"
#include "platform/linux/xdgpaths.h"

namespace qv::platform {

namespace {

// A copy holds the lock for one read and one write; whatever holds it longer (a program stuck
// on it, or stopped) is waited for this long only.
constexpr qint64 kLockPatienceMs = 3000;
constexpr int kLockRetryMs = 25;
// How many names beside the file a copy of it may look past: copies of damaged files that a
// person has not cleared away yet.
constexpr int kMaxAsideNames = 1000;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Holds the lock that makes one copy's read-merge-write whole against the others. Held by the
// open file, so a copy that dies lets go of it.
class FileLock {
public:
    // patienceMs: how long another program's hold is waited out.
    FileLock(const WalkedPath& folder, const QByteArray& name, Clock& clock, qint64 patienceMs)
        : fd_(folder.exists()
                  ? ::openat(folder.at.get(), name.constData(),
                             O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW,
                             0600)
                  : -1) {
        // Without a lock file (a read-only folder, a link in its place: whatever it leads to
        // is no file of ours to make or open) the change goes ahead unguarded.
        if (!fd_.valid())
            return;
        const qint64 start = clock.steadyMs();
        while (!tryLock()) {
            if (errno != EWOULDBLOCK)
                return;
            if (clock.steadyMs() - start >= patienceMs || waitsStopped()) {
                busy_ = true;
                return;
            }
            clock.sleep(kLockRetryMs);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Another program held it for all the wait.
    bool busy() const { return busy_; }

private:
    bool tryLock() const {
        int result = 0;
        do {
            result = ::flock(fd_.get(), LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    }

    Descriptor fd_;
    bool busy_ = false;
};

QString lockPath(const QString& filePath) {
    return filePath + QStringLiteral(".lock");
}

QByteArray lockName(const QString& filePath) {
    return QFile::encodeName(QFileInfo(filePath).fileName() + QStringLiteral(".lock"));
}

QString heldElsewhere(const QString& filePath) {
    return QStringLiteral("another program holds its lock %1").arg(lockPath(filePath));
}

}  // namespace

FileRegistry::FileHold::FileHold(Descriptor fd, const struct stat& status)
    : fd_(std::move(fd)), status_(status) {}

FileRegistry::FileHold FileRegistry::FileHold::at(const WalkedPath& place) {
    Descriptor fd(::openat(place.folder.get(), place.name.constData(),
                           O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0)
        return {};
    return FileHold(std::move(fd), status);
}

bool FileRegistry::FileHold::isCurrent(const WalkedPath& place) const {
    struct stat now {};
    const auto sameTime = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    // Copies replace the file, an editor may write into it.
    return fd_.valid() && place.exists() && place.status.st_dev == status_.st_dev &&
           place.status.st_ino == status_.st_ino && ::fstat(fd_.get(), &now) == 0 &&
           now.st_size == status_.st_size && sameTime(now.st_mtim, status_.st_mtim) &&
           sameTime(now.st_ctim, status_.st_ctim);
}

FileRegistry::FileRegistry(QString filePath, Autostart autostart, Clock* clock)
    : filePath_(std::move(filePath)),
      autostart_(std::move(autostart)),
      ownClock_(clock ? nullptr : std::make_unique<RealClock>()),
      clock_(clock ? *clock : *ownClock_) {
    load();
}

FileRegistry::~FileRegistry() {
    if (unstored_.empty() || readOnly_)
        return;
    // The program is ending: no one is left to show a box.
    onStoreFailed({});
    onReadProblem({});
    store();
}

QString FileRegistry::defaultPath() {
    return configHome() + QStringLiteral("/quorvalline/registry");
}

bool FileRegistry::isAutostartValue(Root root, const QString& path, const QString& name) const {
    return root == Root::CurrentUser &&
           splitPath(path).join(QLatin1Char('\\')).compare(kRunKey, Qt::CaseInsensitive) == 0 &&
           name.compare(kRunValue, Qt::CaseInsensitive) == 0;
}

void FileRegistry::setValue(Root root, const QString& path, const QString& name,
                            const QByteArray& data) {
    MemoryRegistry::setValue(root, path, name, data);
    if (isAutostartValue(root, path, name)) {
        const qsizetype nul = data.indexOf('\0');
        if (!autostart_.enable(QString::fromUtf8(nul < 0 ? data : data.left(nul))))
            reportAutostartFailure();
    }
}

std::optional<QByteArray> FileRegistry::value(Root root, const QString& path,
                                              const QString& name) const {
    if (!isAutostartValue(root, path, name))
        return MemoryRegistry::value(root, path, name);
    // An entry made or removed on the desktop's own settings page counts as well.
    if (!autostart_.isEnabled())
        return std::nullopt;
    return MemoryRegistry::value(root, path, name).value_or(QByteArray());
}

bool FileRegistry::deleteValue(Root root, const QString& path, const QString& name) {
    const bool entry = isAutostartValue(root, path, name) && autostart_.isEnabled();
    if (entry && !autostart_.disable())
        reportAutostartFailure();
    return MemoryRegistry::deleteValue(root, path, name) || entry;
}

void FileRegistry::reportAutostartFailure() const {
    reportStoreFailure(
        QStringLiteral("start at login not stored: cannot write %1").arg(autostart_.entryPath()));
}

QByteArray FileRegistry::serialize(const MemoryRegistry& registry) {
    return registryText(registry);
}

bool FileRegistry::parse(const QByteArray& text, MemoryRegistry& registry, QString* error) {
    const RegistryReading reading = readRegistryText(text, registry);
    if (!reading.complete() && error)
        *error = reading.firstProblem;
    return reading.complete();
}

WalkedPath FileRegistry::settingsFolder(MakeFolders make) const {
    return walkPath(QFileInfo(filePath_).path(), make);
}

FileRegistry::FileState FileRegistry::read(const WalkedPath& place, MemoryRegistry& tree,
                                           Reading& found) const {
    // A link of another user's on the way is neither read nor ever written over (place says
    // why): what we wrote would land in their file.
    FileReading file = readFileAt(place);
    found.error = file.problem;
    switch (file.outcome) {
        case FileReading::Outcome::Missing:
            return FileState::Missing;
        case FileReading::Outcome::Unreadable:
            return FileState::Unreadable;
        case FileReading::Outcome::Refused:
            return FileState::Refused;
        case FileReading::Outcome::Read:
            break;
    }
    // Its owner decides what it holds, the program to paste into among it.
    if (!isTrustedOwner(file.status.st_uid)) {
        found.error = QStringLiteral("it belongs to another user");
        return FileState::Refused;
    }
    // Held as it was before the text was read: a change made since shows as another file.
    found.hold = FileHold(std::move(file.opened), file.status);
    found.text = std::move(file.bytes);
    found.reading = readRegistryText(found.text, tree);
    found.error = found.reading.firstProblem;
    return found.reading.damagedWhole ? FileState::Damaged : FileState::Read;
}

void FileRegistry::load() {
    const WalkedPath folder = settingsFolder(MakeFolders::None);
    const QString name = QFileInfo(filePath_).fileName();
    // Refused before anything is made there: the lock file would land in that user's folder.
    if (const WalkedPath first = walkOn(folder, name); !first.refusal.isEmpty()) {
        refuse(first.refusal);
        return;
    } else if (!first.exists()) {
        return;
    }
    const FileLock lock(folder, lockName(filePath_), clock_, kLockPatienceMs);
    lockStuck_ = lock.busy();
    // Looked up again under the lock: another copy may have replaced the file meanwhile.
    const WalkedPath place = walkOn(folder, name);
    MemoryRegistry stored;
    Reading found;
    const FileState state = read(place, stored, found);
    if (lock.busy() && (state == FileState::Read || state == FileState::Damaged)) {
        loadWithoutLock(stored, found, heldElsewhere(filePath_));
        return;
    }
    switch (state) {
        case FileState::Damaged:
            // The program goes on with defaults; a file we could not move aside must not be
            // replaced by them.
            if (!moveAside(place, found))
                keepReadOnly(QStringLiteral("it is damaged and could not be moved aside"));
            return;
        case FileState::Unreadable:
            // Nothing says the settings in it are bad: they stay for when it can be read. The
            // program runs on defaults, which the user is to know before changing any.
            reportStoreFailure(
                QStringLiteral("cannot read settings file %1 (%2)").arg(filePath_, found.error));
            keepReadOnly(QStringLiteral("it could not be read (%1)").arg(found.error));
            return;
        case FileState::Refused:
            refuse(found.error);
            return;
        case FileState::Read:
            takeTree(stored);
            written_ = std::move(found.hold);
            // The lines left out go on living in the copy only: the file is made whole at once,
            // so that the user hears of them this once.
            if (!found.reading.complete() && keepCopyOfSkippedLines(place, found))
                write(place);
            return;
        case FileState::Missing:
            return;
    }
}

void FileRegistry::refuse(const QString& why) {
    // Whatever stands there is someone else's: a pipe that another program reads, the file at
    // the end of a link. It is neither moved nor written over.
    reportReadProblem(QStringLiteral("settings file %1 was not read: %2; the program runs on "
                                     "default settings and will not store them")
                          .arg(filePath_, why));
    keepReadOnly(QStringLiteral("it was not read (%1)").arg(why));
}

void FileRegistry::loadWithoutLock(MemoryRegistry& stored, Reading& found, const QString& held) {
    // The file is only ever replaced whole, so what was read is one whole version of it. A
    // damaged one has to be kept (moved aside, or copied with the lines left out) before
    // anything replaces it; that waits for the first store that gets the lock, which reads the
    // file again since nothing says it was read as it is then.
    if (found.reading.damagedWhole) {
        reportReadProblem(QStringLiteral("settings file %1 is damaged (%2) and %3, so it was left "
                                         "as it was for now; the program runs on default "
                                         "settings")
                              .arg(filePath_, found.error, held));
        return;
    }
    takeTree(stored);
    if (found.reading.complete()) {
        written_ = std::move(found.hold);
        reportReadProblem(QStringLiteral("settings file %1 was read without its lock: %2; changes "
                                         "may not be stored while it does")
                              .arg(filePath_, held));
        return;
    }
    reportReadProblem(QStringLiteral("settings file %1 could not be read whole (%2) and %3, so it "
                                     "was left as it was for now; the program runs on the "
                                     "settings it could read")
                          .arg(filePath_, found.error, held));
}

QString FileRegistry::keepAside(const WalkedPath& place, const QByteArray& text, bool move,
                                QString& problem) const {
    const int folder = place.folder.get();
    for (int i = 0; i < kMaxAsideNames; ++i) {
        const QByteArray suffix =
            i == 0 ? QByteArray(".damaged") : ".damaged." + QByteArray::number(i);
        const QByteArray aside = place.name + suffix;
        struct stat standing {};
        // A name is free only where nothing stands, a link that leads nowhere neither.
        if (::fstatat(folder, aside.constData(), &standing, AT_SYMLINK_NOFOLLOW) == 0)
            continue;
        int error = move ? moveWithoutReplacing(folder, place.name, aside) : 0;
        // A file system that cannot move it without replacing keeps its text instead.
        if (!move || (error != 0 && error != EEXIST)) {
            error = keepNewFileAt(folder, aside, text);
            if (error == 0 && move && ::unlinkat(folder, place.name.constData(), 0) != 0 &&
                errno != ENOENT)
                error = errno;
        }
        // Taken since it was looked at.
        if (error == EEXIST)
            continue;
        if (error != 0) {
            problem = systemError(error);
            return {};
        }
        return place.shown + QString::fromLatin1(suffix);
    }
    problem = QStringLiteral("no name beside it is free");
    return {};
}

bool FileRegistry::moveAside(const WalkedPath& place, const Reading& found) const {
    QString problem;
    const QString aside = keepAside(place, found.text, true, problem);
    if (aside.isEmpty()) {
        reportReadProblem(QStringLiteral("settings file %1 is damaged (%2) and could not be "
                                         "moved aside (%3); the program runs on default "
                                         "settings and will not store them")
                              .arg(filePath_, found.error, problem));
        return false;
    }
    reportReadProblem(QStringLiteral("settings file %1 is damaged (%2); it was moved to %3 and "
                                     "the program runs on default settings")
                          .arg(filePath_, found.error, aside));
    return true;
}

bool FileRegistry::keepCopyOfSkippedLines(const WalkedPath& place, const Reading& found) {
    const RegistryReading& reading = found.reading;
    const bool one = reading.skippedCount == 1;
    const QString lines =
        QStringLiteral("%1 %2 of settings file %3 could not be read and %4 left out (%5)")
            .arg(one ? QStringLiteral("line") : QStringLiteral("lines"), reading.skippedLineList(),
                 filePath_, one ? QStringLiteral("was") : QStringLiteral("were"),
                 one ? reading.firstReason : reading.firstProblem);
    QString problem;
    const QString aside = keepAside(place, found.text, false, problem);
    if (aside.isEmpty()) {
        // Those lines are nowhere else: the file is not written over.
        keepReadOnly(QStringLiteral("lines of it could not be read nor copied aside"));
        reportReadProblem(lines + QStringLiteral("; no copy of the file could be kept (%1), so "
                                                 "settings will not be stored")
                                      .arg(problem));
        return false;
    }
    reportReadProblem(lines + QStringLiteral("; the file as it was is kept in %1").arg(aside));
    return true;
}

void FileRegistry::keepReadOnly(const QString& reason) {
    readOnly_ = true;
    readOnlyReason_ = reason;
}

void FileRegistry::committed(const std::vector<Change>& changes) {
    if (readOnly_) {
        reportStoreFailure(
            QStringLiteral("settings not stored in %1: %2").arg(filePath_, readOnlyReason_));
        return;
    }
    // A change that could not be stored waits for the next one, which takes it along.
    unstored_.insert(unstored_.end(), changes.begin(), changes.end());
    if (store())
        unstored_.clear();
}

bool FileRegistry::store() {
    const WalkedPath folder = settingsFolder(MakeFolders::AllParts);
    if (!folder.reached()) {
        reportStoreFailure(QStringLiteral("settings not stored in %1: %2")
                               .arg(filePath_, folder.refusal.isEmpty() ? systemError(folder.error)
                                                                        : folder.refusal));
        return false;
    }
    // Once a wait has run out, each change tries once only until it finds the lock free: the
    // program's steps are not held up again and again by the same stuck holder.
    const FileLock lock(folder, lockName(filePath_), clock_, lockStuck_ ? 0 : kLockPatienceMs);
    lockStuck_ = lock.busy();
    if (lock.busy()) {
        reportStoreFailure(QStringLiteral("settings not stored in %1: %2")
                               .arg(filePath_, heldElsewhere(filePath_)));
        return false;
    }
    const WalkedPath place = walkOn(folder, QFileInfo(filePath_).fileName());
    // The file as we last read or wrote it holds what we hold but the changes not stored yet:
    // no copy has written since, and it need not be read again.
    if (written_.isCurrent(place))
        return write(place);
    MemoryRegistry stored;
    Reading found;
    switch (read(place, stored, found)) {
        case FileState::Read:
            if (!found.reading.complete() && !keepCopyOfSkippedLines(place, found)) {
                reportStoreFailure(QStringLiteral("settings not stored in %1: %2")
                                       .arg(filePath_, readOnlyReason_));
                return false;
            }
            // Only what was changed since the last store comes from our memory; the rest is
            // what the other copies stored meanwhile.
            stored.replay(unstored_);
            takeTree(stored);
            break;
        case FileState::Missing:
            // Nothing to merge with: what we hold goes in whole.
            break;
        case FileState::Damaged:
            // Damaged since we read it: what we hold replaces it, once it is kept aside.
            if (!moveAside(place, found)) {
                keepReadOnly(QStringLiteral("it is damaged and could not be moved aside"));
                reportStoreFailure(QStringLiteral("settings not stored in %1: %2")
                                       .arg(filePath_, readOnlyReason_));
                return false;
            }
            break;
        case FileState::Refused:
            // Put there since we read it: it is someone else's.
            reportStoreFailure(
                QStringLiteral("settings not stored in %1: %2").arg(filePath_, found.error));
            return false;
        case FileState::Unreadable:
            // Written over, it would lose what the other copies stored.
            reportStoreFailure(
                QStringLiteral("settings not stored in %1: it could not be read (%2)")
                    .arg(filePath_, found.error));
            return false;
    }
    return write(place);
}

bool FileRegistry::write(const WalkedPath& place) {
    // Made beside the name in the folder that was read and renamed over it: whatever was put
    // at the name since is replaced, never followed.
    const QString problem = replaceFileAt(place, serialize(*this));
    if (!problem.isEmpty()) {
        reportStoreFailure(QStringLiteral("settings not stored in %1: %2").arg(filePath_, problem));
        return false;
    }
    written_ = FileHold::at(place);
    return true;
}

}  // namespace qv::platform
