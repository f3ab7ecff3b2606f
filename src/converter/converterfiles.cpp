#include "converter/converterfiles.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace qv::converter {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file the target names once a link there is followed; the target itself otherwise (and
// when the link leads nowhere, as the toolkit's writer did). The path is resolved here, where
// the kernel's guard against links planted by another user (protected_symlinks) never looks:
// a link of another user, or one that leads to another user's file, is refused instead, and
// `refusal` says so. The user's own links to the user's own files are followed.
std::string followLink(const std::string& target, std::string* refusal) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return target;
    if (status.st_uid != ::geteuid()) {
        *refusal = "it is a link of another user";
        return target;
    }
    char resolved[PATH_MAX];
    if (!::realpath(target.c_str(), resolved))
        return target;
    if (::stat(resolved, &status) == 0 && status.st_uid != ::geteuid())
        *refusal = "it is a link to a file of another user";
    return resolved;
}

// A name in folder that nothing has yet, hidden and short whatever the target's name: a target
// name as long as the file system allows leaves no room for anything added to it.
std::string freeNameIn(const std::string& folder, std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = folder + "/.qv-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

}  // namespace

WholeFile::WholeFile(const std::string& target) : random_(std::random_device{}()) {
    path_ = followLink(target, &error_);
    if (!error_.empty())
        return;
    struct stat existing {};
    const bool exists = ::stat(path_.c_str(), &existing) == 0;
    const std::string folder = folderOf(path_);
    // Without a name where the file system allows it, so that nothing is left in the folder
    // when the converter is ended half-way; else a named one in the target's folder, removed on
    // failure.
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno == EISDIR || errno == EOPNOTSUPP || errno == EINVAL)) {
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = freeNameIn(folder, random_);
            fd_ = ::open(name_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            name_.clear();
    }
    if (fd_ < 0) {
        error_ = systemError(errno);
        return;
    }
    // A file there keeps its permissions; a new one gets what the user's mask allows.
    if (exists && ::fchmod(fd_, existing.st_mode & 07777) != 0)
        fail();
}

WholeFile::~WholeFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!name_.empty())
        ::unlink(name_.c_str());
}

bool WholeFile::append(const struct iovec* parts, int count) {
    std::vector<struct iovec> left(parts, parts + count);
    size_t next = 0;
    const off_t from = written_;
    while (error_.empty() && next < left.size()) {
        const ssize_t done = ::writev(fd_, left.data() + next, int(left.size() - next));
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
        ::sync_file_range(fd_, from, written_ - from, SYNC_FILE_RANGE_WRITE);
    return error_.empty();
}

bool WholeFile::append(const uint8_t* bytes, size_t size) {
    struct iovec part = {const_cast<uint8_t*>(bytes), size};
    return append(&part, 1);
}

bool WholeFile::commit() {
    if (!error_.empty())
        return false;
    if (::fsync(fd_) != 0)
        return fail();
    if (name_.empty() && !giveName())
        return false;
    if (::rename(name_.c_str(), path_.c_str()) != 0)
        return fail();
    name_.clear();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail();
    return true;
}

bool WholeFile::fail() {
    error_ = systemError(errno);
    return false;
}

// A file of no name gets one in the target's folder, to be renamed over it.
bool WholeFile::giveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = freeNameIn(folderOf(path_), random_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
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
    std::string refusal;
    followLink(target, &refusal);
    if (!refusal.empty())
        return refusal;
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
}

std::string writeFileWhole(const std::string& target, const uint8_t* bytes, size_t size) {
    WholeFile file(target);
    file.append(bytes, size);
    file.commit();
    return file.error();
}

}  // namespace qv::converter
