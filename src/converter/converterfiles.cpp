#include "converter/converterfiles.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <random>
#include <vector>

namespace qv::converter {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

// As many links as the kernel follows on one path before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

// A link (or a folder a link leads into) whose owner cannot send us anywhere we would not go:
// our own, or the system's.
bool trusted(const struct stat& link) {
    return link.st_uid == ::geteuid() || link.st_uid == 0;
}

// Puts the parts of path in front of the parts still to be followed, in their order. A path
// that ends in a slash names a folder, which "." then stands for.
void putInFront(std::deque<std::string>& parts, const std::string& path) {
    std::vector<std::string> split;
    for (size_t at = 0; at <= path.size();) {
        const size_t slash = std::min(path.find('/', at), path.size());
        if (slash > at)
            split.push_back(path.substr(at, slash - at));
        at = slash + 1;
    }
    if (!path.empty() && path.back() == '/')
        split.emplace_back(".");
    parts.insert(parts.begin(), split.begin(), split.end());
}

Descriptor openRoot(bool absolute) {
    return Descriptor(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// Where a write to a path lands: the path followed a part at a time from an opened folder, each
// part opened without following it and looked at on what was opened, each link read and
// followed here, so that every link on the way, not only the last, has its owner checked.
struct Destination {
    Descriptor folder;      // the folder the name is in
    std::string name;       // the name the file takes there
    bool exists = false;    // something stands at the name (a regular file, once checked)
    struct stat status {};  // what stands there
    std::string refusal;    // why nothing may be written there, or empty
    int error = 0;          // why the path could not be followed, or 0
};

// Whose link or folder stands in the way, or empty. throughLink: a link led to the folder.
std::string refusalAt(const Destination& at, bool throughLink, bool followedLast) {
    struct stat folder {};
    if (::fstat(at.folder.get(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return "its folder is not a folder";
    if (throughLink && !trusted(folder))
        return "a link leads it into a folder of another user";
    if (!at.exists)
        return {};
    if (followedLast && at.status.st_uid != ::geteuid())
        return "it is a link to a file of another user";
    if (S_ISREG(at.status.st_mode))
        return {};
    return S_ISDIR(at.status.st_mode) ? "it is a folder" : "it is not a regular file";
}

Destination destinationOf(const std::string& path) {
    Destination at;
    Descriptor folder = openRoot(!path.empty() && path.front() == '/');
    std::deque<std::string> parts;
    putInFront(parts, path);
    if (!folder || parts.empty()) {
        at.error = folder ? ENOENT : errno;
        return at;
    }
    bool throughLink = false;
    // The link at the name given, while where it leads is followed: a link that leads nowhere
    // is replaced itself, as it always was.
    Descriptor givenFolder;
    std::string givenName;
    bool givenThroughLink = false;
    int links = 0;
    while (!parts.empty()) {
        const std::string part = std::move(parts.front());
        parts.pop_front();
        const bool last = parts.empty();
        Descriptor entry(::openat(folder.get(), part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat status {};
        if (!entry || ::fstat(entry.get(), &status) != 0) {
            if (last && errno == ENOENT) {
                at.folder = std::move(folder);
                at.name = part;
                break;
            }
            at.error = errno;
            break;
        }
        if (S_ISLNK(status.st_mode)) {
            if (!trusted(status)) {
                at.refusal = last && givenName.empty()
                                 ? "it is a link of another user"
                                 : "it is reached through a link of another user";
                return at;
            }
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(entry.get(), "", target, sizeof target);
            if (++links > kMaxLinks || length <= 0 || size_t(length) >= sizeof target) {
                at.error = links > kMaxLinks ? ELOOP : length < 0 ? errno : ENAMETOOLONG;
                break;
            }
            if (last && givenName.empty()) {
                givenFolder = Descriptor(::fcntl(folder.get(), F_DUPFD_CLOEXEC, 0));
                givenName = part;
                givenThroughLink = throughLink;
            }
            throughLink = true;
            if (target[0] == '/' && !(folder = openRoot(true))) {
                at.error = errno;
                break;
            }
            putInFront(parts, std::string(target, size_t(length)));
            continue;
        }
        if (last) {
            at.folder = std::move(folder);
            at.name = part;
            at.exists = true;
            at.status = status;
            break;
        }
        if (!S_ISDIR(status.st_mode)) {
            at.error = ENOTDIR;
            break;
        }
        folder = std::move(entry);
    }
    const bool followedLast = !givenName.empty();
    if (followedLast && (at.error != 0 || !at.exists)) {
        // Where the link at the name leads cannot be had: the link is what is replaced.
        if (!givenFolder) {
            at.error = errno;
            return at;
        }
        at = Destination{};
        at.folder = std::move(givenFolder);
        at.name = givenName;
        at.refusal = refusalAt(at, givenThroughLink, false);
        return at;
    }
    if (at.error == 0)
        at.refusal = refusalAt(at, throughLink, followedLast);
    return at;
}

// A name in the folder that nothing has yet, hidden and short whatever the target's name: a
// target name as long as the file system allows leaves no room for anything added to it.
std::string freeName(std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = ".qv-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

}  // namespace

void Descriptor::reset() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

WholeFile::WholeFile(const std::string& target) : random_(std::random_device{}()) {
    Destination at = destinationOf(target);
    if (!at.refusal.empty() || at.error != 0) {
        error_ = at.refusal.empty() ? systemError(at.error) : at.refusal;
        return;
    }
    folder_ = std::move(at.folder);
    target_ = at.name;
    // Without a name where the file system allows it, so that nothing is left in the folder
    // when the converter is ended half-way; else a named one in the target's folder, removed on
    // failure.
    fd_ = Descriptor(::openat(folder_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!fd_ && (errno == EISDIR || errno == EOPNOTSUPP || errno == EINVAL)) {
        for (int attempt = 0; attempt < 100 && !fd_; ++attempt) {
            name_ = freeName(random_);
            fd_ = Descriptor(::openat(folder_.get(), name_.c_str(),
                                      O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, 0666));
            if (!fd_ && errno != EEXIST)
                break;
        }
        if (!fd_)
            name_.clear();
    }
    if (!fd_) {
        error_ = systemError(errno);
        return;
    }
    // A file there keeps its permissions; a new one gets what the user's mask allows.
    if (at.exists && ::fchmod(fd_.get(), at.status.st_mode & 07777) != 0)
        fail();
}

WholeFile::~WholeFile() {
    if (!name_.empty())
        ::unlinkat(folder_.get(), name_.c_str(), 0);
}

bool WholeFile::append(const struct iovec* parts, int count) {
    std::vector<struct iovec> left(parts, parts + count);
    size_t next = 0;
    const off_t from = written_;
    while (error_.empty() && next < left.size()) {
        const ssize_t done = ::writev(fd_.get(), left.data() + next, int(left.size() - next));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            error_ = systemError(done < 0 ? errno : ENOSPC);
            break;
        }
        written_ += done;
        // A part written only in part goes on from where it stopped.
        for (size_t rest = size_t(done); next < left.size() && rest > 0;) {
            const size_t taken = std::min(rest, left[next].iov_len);
            left[next].iov_base = static_cast<char*>(left[next].iov_base) + taken;
            left[next].iov_len -= taken;
            rest -= taken;
            if (left[next].iov_len == 0)
                ++next;
        }
        while (next < left.size() && left[next].iov_len == 0)
            ++next;
    }
    // Started on its way to the disk now, it is there by the time the file is whole, and the
    // sync at the end has little left to wait for. A file system that cannot is synced then.
    if (error_.empty() && written_ > from)
        ::sync_file_range(fd_.get(), from, written_ - from, SYNC_FILE_RANGE_WRITE);
    return error_.empty();
}

bool WholeFile::append(const uint8_t* bytes, size_t size) {
    struct iovec part = {const_cast<uint8_t*>(bytes), size};
    return append(&part, 1);
}

bool WholeFile::commit() {
    if (!error_.empty())
        return false;
    if (::fsync(fd_.get()) != 0)
        return fail();
    if (name_.empty() && !giveName())
        return false;
    if (::renameat(folder_.get(), name_.c_str(), folder_.get(), target_.c_str()) != 0)
        return fail();
    name_.clear();
    if (::close(fd_.release()) != 0)
        return fail();
    return true;
}

bool WholeFile::fail() {
    error_ = systemError(errno);
    return false;
}

// A file of no name gets one in the target's folder, to be renamed over it.
bool WholeFile::giveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = freeName(random_);
        if (::linkat(AT_FDCWD, self.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name_ = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return fail();
}

int openRegularFile(const std::string& path, struct stat* status, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = systemError(errno);
        return -1;
    }
    if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
        *error = S_ISDIR(status->st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sameFile(const struct stat& source, const std::string& target) {
    struct stat status {};
    return ::stat(target.c_str(), &status) == 0 && status.st_dev == source.st_dev &&
           status.st_ino == source.st_ino;
}

std::string checkTarget(const std::string& target) {
    return destinationOf(target).refusal;
}

std::string writeFileWhole(const std::string& target, const uint8_t* bytes, size_t size) {
    WholeFile file(target);
    file.append(bytes, size);
    file.commit();
    return file.error();
}

}  // namespace qv::converter
