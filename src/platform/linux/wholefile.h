#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "platform/linux/descriptor.h"
#include "platform/linux/linkowners.h"

namespace qv::platform {

// Puts bytes in place of the file at path in one step: every byte is written and counted, the
// flush and the sync to the disk are checked, and only then does the new file take the old
// one's place. It is written under a short hidden name in the same folder, so that any name the
// file system takes can be written. A link at path (or on the way) is followed only as
// linkowners.h allows, and the file it leads to is replaced; a file there keeps its
// permissions, a new one is the user's alone. On any failure (a full disk, a file size limit,
// another user's link) the old file stays as it was, nothing is left beside it, and what went
// wrong is returned; empty on success.
QString replaceFileWhole(const QString& path, const QByteArray& bytes);

// The same at the place a walk reached: the new file is made in the folder the walk holds and
// renamed over the name, so that whatever stands there meanwhile (a link put in its place) is
// replaced, never followed, and no other folder is ever written.
QString replaceFileAt(const WalkedPath& where, const QByteArray& bytes);

// Puts bytes whole under name in folder only where nothing at all stands, a link to nowhere
// included: 0 when the file is there, EEXIST when something stood there (and was left as it
// was), else the system's error; nothing is left behind on a failure.
int keepNewFileAt(int folder, const QByteArray& name, const QByteArray& bytes);

// Moves what stands at from to to in folder (the entry itself, a link is not followed) only
// where nothing at all stands at to: 0 when moved, EEXIST when something stood there.
int moveWithoutReplacing(int folder, const QByteArray& from, const QByteArray& to);

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
    // The file that was read, still open, and its status before it was read.
    Descriptor opened;
    struct stat status {};
};

// Reads the file at path whole without ever waiting on it or running out of memory: what is
// not a regular file (a FIFO, a device such as /dev/zero, reached through a link or not) is
// refused without being opened for long, and so is a file of more than maxBytes, and a link
// that linkowners.h does not follow.
FileReading readFileWhole(const QString& path, qint64 maxBytes = kMaxReadBytes);

// The same for what a walk reached: the file is opened without following a link, and what was
// opened has to be what the walk found.
FileReading readFileAt(const WalkedPath& where, qint64 maxBytes = kMaxReadBytes);

}  // namespace qv::platform
