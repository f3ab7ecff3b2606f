#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "platform/linux/descriptor.h"

namespace qv::platform {

// Whose links are followed and whose files are taken for the user's: the user's own, and
// root's, who owns the system's links (/home -> /usr/home) and files.
bool isTrustedOwner(uid_t owner);

// Where a path leads, walked one part at a time, each part opened without following it and
// judged by what was opened, so that nothing put in its place between a look and a use is
// ever taken. A link on the way is followed only when it is trusted and ends at what is
// trusted (the kernel's rule for links in shared folders, on every part of the path): another
// user's link, or one to another user's file, could send us onto any file of ours, or have us
// write into theirs.
struct WalkedPath {
    // The folder that holds the last part, opened for lookups only (O_PATH).
    Descriptor folder;
    // The last part's name in folder, after the links at it were followed.
    QByteArray name;
    // What stands there, opened for lookups only; invalid when nothing does.
    Descriptor at;
    struct stat status {};
    // Where the last part is, for messages: the path as given until a link is followed.
    QString shown;
    // Why the walk stopped at a link: it belongs to another user or leads to their file.
    QString refusal;
    // The system's error for a part that could not be walked (a folder missing, no permission).
    int error = 0;

    bool reached() const { return refusal.isEmpty() && error == 0; }
    bool exists() const { return at.valid(); }
};

enum class MakeFolders {
    None,      // a missing folder on the way is an error (ENOENT)
    AllParts,  // every missing part is made a folder of the user's alone, the last one too
};

// path walked from the root (a relative one from the working folder). Nothing at the last part
// is no error: the walk reaches its place, with nothing there.
WalkedPath walkPath(const QString& path, MakeFolders make = MakeFolders::None);

// name walked on from where, a folder that a walk reached.
WalkedPath walkOn(const WalkedPath& where, const QString& name);

}  // namespace qv::platform
