#include "platform/linux/wholefile.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace qv::platform {

// QSaveFile::write() only fills Qt's buffer and reports the whole size even on a full disk, and
// commit() renames even when its final flush failed: the bytes are flushed and synced here, so
// that commit() is left with nothing to write but the rename.
QString replaceFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + done, bytes.size() - done);
        if (count <= 0)
            break;
        done += count;
    }
    if (done < bytes.size() || file.error() != QFileDevice::NoError || !file.flush() ||
        ::fsync(file.handle()) != 0) {
        const int error = errno;
        // Cancelling puts its own text in place of the cause.
        const QString cause = file.error() != QFileDevice::NoError
                                  ? file.errorString()
                                  : QString::fromLocal8Bit(std::strerror(error));
        file.cancelWriting();
        return cause;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace qv::platform
