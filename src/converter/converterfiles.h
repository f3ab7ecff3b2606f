#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv::converter {

// Opens a file for reading without blocking: a FIFO or a device in the source's place is
// refused, not waited on. Returns the descriptor, or -1 with `error` saying why.
int openRegularFile(const std::string& path, struct stat* status, std::string* error);

// Whether target names the file whose status source is.
bool sameFile(const struct stat& source, const std::string& target);

// The whole write would take the place of whatever stands at the target's name: a FIFO, a
// device node or a folder there (or at the end of a link) belongs to someone else and is left
// alone. What stands in the way, or empty.
std::string checkTarget(const std::string& target);

// Puts bytes in place of the file at target in one step, as the file it names appears whole or
// not at all: they go to a file of no name in the target's folder, every byte is counted and
// the sync to the disk is checked, and only then is it renamed into place. A file already
// there keeps its permissions; a link is followed, and the file it leads to is replaced. What
// went wrong, or empty.
std::string writeFileWhole(const std::string& target, const std::uint8_t* bytes, std::size_t size);

}  // namespace qv::converter
