#pragma once

#include <sys/stat.h>
#include <sys/uio.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace qv::converter {

// A file descriptor, closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = other.release();
        }
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Hands the descriptor over, for a caller that must see how its close ends.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    void reset();
    int fd_ = -1;
};

// Opens a file for reading without blocking: a FIFO or a device in the source's place is
// refused, not waited on. Returns the descriptor, or -1 with `error` saying why.
int openRegularFile(const std::string& path, struct stat* status, std::string* error);

// Whether target names the file whose status source is.
bool sameFile(const struct stat& source, const std::string& target);

// The whole write would take the place of whatever stands at the target's name: a FIFO, a
// device node or a folder there (or at the end of a link) belongs to someone else and is left
// alone. So is a path that goes through a link of another user anywhere on its way (root's
// links are trusted, as the system's own), one whose link ends in another user's file, and one
// whose links lead into another user's folder: their owner could send the write onto any file
// of ours. What stands in the way, or empty; a path that cannot be followed at all is left to
// the write to report.
std::string checkTarget(const std::string& target);

// A file that takes the place of the one at target in one step, as that appears whole or not at
// all: it is written with no name in the target's folder, every byte is counted, the sync to the
// disk is checked, and only then is it renamed into place. The path is followed a part at a
// time, from the folder opened before it, and refused as checkTarget() refuses it; the file is
// written and renamed inside the folder so opened, never in one looked up again by name. A file
// already there keeps its permissions; a link of the user's own to a file of the user's own is
// followed, and the file it leads to is replaced; a link of ours that leads nowhere is replaced
// itself. Ended before commit(), it leaves nothing behind.
class WholeFile {
public:
    explicit WholeFile(const std::string& target);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // Adds the parts one after the other; false once anything failed.
    bool append(const struct iovec* parts, int count);
    bool append(const std::uint8_t* bytes, std::size_t size);
    // Syncs the file and renames it into place; false when it could not.
    bool commit();
    // What went wrong, or empty.
    const std::string& error() const { return error_; }

private:
    bool fail();
    bool giveName();

    Descriptor folder_;   // where the file goes, opened as the path was followed
    std::string target_;  // the name it takes there
    std::string name_;    // the file's name while it has one and is not yet the target
    std::mt19937 random_;
    Descriptor fd_;
    off_t written_ = 0;
    std::string error_;
};

// Puts bytes in place of the file at target in one step, as the file it names appears whole or
// not at all: they go to a file of no name in the target's folder, every byte is counted and
// the sync to the disk is checked, and only then is it renamed into place. A file already
// there keeps its permissions; links are taken as WholeFile takes them. What went wrong, or
// empty.
std::string writeFileWhole(const std::string& target, const std::uint8_t* bytes, std::size_t size);

}  // namespace qv::converter
