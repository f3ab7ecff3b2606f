#include "converter/converterfiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

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
// when the link leads nowhere, as the toolkit's writer did).
std::string followLink(const std::string& target) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return target;
    char resolved[PATH_MAX];
    return ::realpath(target.c_str(), resolved) ? std::string(resolved) : target;
}

// A name beside path that nothing has yet: the path and six random letters or digits.
std::string freeNameBeside(const std::string& path, std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = path + '.';
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// The file being written: one without a name where the file system allows it, so that nothing
// is left in the folder when the converter is ended half-way; else a named one beside the
// target, removed on failure.
class NewFile {
public:
    NewFile(const std::string& path, mode_t keptMode, bool keepMode)
        : path_(path), random_(std::random_device{}()) {
        const std::string folder = folderOf(path);
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno == EISDIR || errno == EOPNOTSUPP || errno == EINVAL)) {
            // File systems without files of no name (some network ones) get a named one.
            for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
                name_ = freeNameBeside(path, random_);
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
        if (keepMode && ::fchmod(fd_, keptMode) != 0)
            fail();
    }
    ~NewFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.empty())
            ::unlink(name_.c_str());
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    const std::string& error() const { return error_; }

    void write(const uint8_t* bytes, size_t size) {
        while (error_.empty() && size > 0) {
            const ssize_t count = ::write(fd_, bytes, size);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                error_ = systemError(count < 0 ? errno : ENOSPC);
                return;
            }
            bytes += count;
            size -= size_t(count);
        }
    }

    // Synced, then given the target's name.
    void commit() {
        if (!error_.empty())
            return;
        if (::fsync(fd_) != 0)
            return fail();
        if (name_.empty() && !giveName())
            return;
        if (::rename(name_.c_str(), path_.c_str()) != 0)
            return fail();
        name_.clear();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            error_ = systemError(errno);
    }

private:
    void fail() { error_ = systemError(errno); }

    // A file of no name gets one beside the target, to be renamed over it.
    bool giveName() {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = freeNameBeside(path_, random_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = name;
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        fail();
        return false;
    }

    std::string path_;
    std::string name_;  // the file's name while it has one and is not yet the target
    std::mt19937 random_;
    int fd_ = -1;
    std::string error_;
};

}  // namespace

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
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
}

std::string writeFileWhole(const std::string& target, const uint8_t* bytes, size_t size) {
    const std::string path = followLink(target);
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    NewFile file(path, existing.st_mode & 07777, exists);
    file.write(bytes, size);
    file.commit();
    return file.error();
}

}  // namespace qv::converter
