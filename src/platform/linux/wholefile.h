#pragma once

#include <QByteArray>
#include <QString>

namespace qv::platform {

// Puts bytes in place of the file at path in one step: every byte is written and counted, the
// flush and the sync to the disk are checked, and only then does the new file take the old
// one's place. It is written under a short hidden name in the same folder, so that any name the
// file system takes can be written. A link at path is followed and the file it leads to is
// replaced; a file there keeps its permissions, a new one is the user's alone. On any failure
// (a full disk, a file size limit) the old file stays as it was, nothing is left beside it, and
// what went wrong is returned; empty on success.
QString replaceFileWhole(const QString& path, const QByteArray& bytes);

// Far above any settings or desktop entry a person keeps, far below what memory holds.
constexpr qint64 kMaxReadBytes = qint64(64) << 20;

// What readFileWhole found at its path.
struct FileReading {
    enum class Outcome {
        Read,        // bytes holds the file
        Missing,     // nothing is there
        Unreadable,  // it could not be opened or read (no permission, a folder): see problem
        Refused,     // something that is no file to read whole is there: see problem
    };
    Outcome outcome = Outcome::Missing;
    QByteArray bytes;
    // Why it was not read, for a message that names the file.
    QString problem;
};

// Reads the file at path whole without ever waiting on it or running out of memory: what is
// not a regular file (a FIFO, a device such as /dev/zero, reached through a link or not) is
// refused without being opened for long, and so is a file of more than maxBytes.
FileReading readFileWhole(const QString& path, qint64 maxBytes = kMaxReadBytes);

}  // namespace qv::platform
