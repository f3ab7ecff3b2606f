#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace qv::testsupport {

// A 64 KiB file system mounted for a test, to run a disk full; mounting needs root, so
// mounted() says whether the test can run.
class SmallDisk {
public:
    SmallDisk() {
        if (::geteuid() != 0 || !dir_.isValid())
            return;
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                           "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    // Takes every free byte, so that a save's smallest write finds no room; false when the
    // filler could not be made.
    bool fill() const {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray chunk(512, 'x');
        while (filler.write(chunk) == chunk.size()) {
        }
        return true;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

}  // namespace qv::testsupport
