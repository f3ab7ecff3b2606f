#pragma once

#include <QString>

namespace qv::platform {

// The kernel's rule for links in shared folders, applied to every link on the way to a file
// the program reads and writes in place: a link that another user owns, or one that ends in
// another user's file, is not followed, since its owner could send us onto any file. Why path
// may not be followed, or empty when it is no link or every step of it is the process's own.
QString linkOfAnotherUser(const QString& path);

}  // namespace qv::platform
