#pragma once

#include <QByteArray>
#include <QString>

namespace qv::platform {

// Puts bytes in place of the file at path in one step: every byte is written and counted, the
// flush and the sync to the disk are checked, and only then does the new file take the old
// one's place. On any failure (a full disk, a file size limit) the old file stays as it was and
// what went wrong is returned; empty on success.
QString replaceFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace qv::platform
