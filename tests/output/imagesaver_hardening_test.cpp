// Saving bitmaps where the disk runs full, under the longest names, over files and links.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "fakes/fakeplatform.h"
#include "output/imagesaver.h"
#include "output/saveformat.h"
#include "support/smalldisk.h"

namespace qv::output {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST(ImageSaverHardening, AFullDiskSaysSoAndLeavesNoPartialFile) {
    testsupport::SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a full disk needs a small tmpfs, and mounting one needs root";
    fakes::FakePlatform fake;
    // The converted formats take the disk's road: a system without memory files.
    fake.process().memoryFiles = false;
    const QByteArray old = "the capture saved before";
    {
        QFile f(disk.filePath("old.bmp"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(old), old.size());
    }
    ASSERT_TRUE(disk.fill());
    // The other formats go through a temporary bitmap, which the full disk holds instead.
    QTemporaryDir elsewhere;
    const QByteArray tempBefore = qgetenv("TMPDIR");
    const struct {
        const char* name;
        const char* target;
        int side;  // small bitmaps fit the write buffer and fail only in the last flush
        bool temporaryBitmap;
    } cases[] = {
        {"small, new file", "new.bmp", 8, false},
        {"small, over a file", "old.bmp", 8, false},
        {"large, new file", "big.bmp", 300, false},
        {"large, over a file", "old.bmp", 300, false},
        {"small, through the temporary bitmap", "new.png", 8, true},
        {"large, through the temporary bitmap", "new.png", 300, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(c.side, c.side, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString name = QString::fromLatin1(c.target);
        const QString target = c.temporaryBitmap ? elsewhere.filePath(name) : disk.filePath(name);
        qputenv("TMPDIR", c.temporaryBitmap ? QFile::encodeName(disk.filePath({})) : tempBefore);
        const QStringList before = disk.entries();
        const std::optional<SaveError> error =
            saveImage(image, target, saveFormats()[c.temporaryBitmap ? 1 : 0],
                      QStringLiteral("/nonexistent"));
        qputenv("TMPDIR", tempBefore);
        EXPECT_FALSE(c.temporaryBitmap && QFileInfo::exists(target));
        if (!error.has_value()) {
            ADD_FAILURE() << "the save succeeded";
            continue;
        }
        EXPECT_EQ(error->message(), QStringLiteral("Error: 61  No space left on device !!"));
        EXPECT_EQ(disk.entries(), before);
        if (before.contains(QString::fromLatin1(c.target))) {
            EXPECT_EQ(readAll(target), old);
        }
    }
}

// A name of exactly 255 bytes, the most a file system takes.
QString longestName() {
    return QString(251, u'n') + QStringLiteral(".bmp");
}

TEST(ImageSaverHardening, ABitmapTakesAnyNameReplacesWholeKeepsTheModeAndFollowsALink) {
    fakes::FakePlatform fake;
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::darkMagenta);
    const mode_t mask = ::umask(027);
    const struct {
        const char* name;
        bool longName;
        bool fileThere;  // with mode 0604
        bool throughALink;
        QFileDevice::Permissions mode;
    } cases[] = {
        {"new file", false, false, false, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup},
        {"new file, longest name", true, false, false,
         QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup},
        {"over a file, longest name", true, true, false,
         QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther},
        {"over a file through a link", false, true, true,
         QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString name = c.longName ? longestName() : QStringLiteral("capture.bmp");
        const QString file = dir.filePath(c.throughALink ? QStringLiteral("real.bmp") : name);
        if (c.fileThere) {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("the capture saved before");
            old.close();
            ::chmod(QFile::encodeName(file).constData(), 0604);
        }
        if (c.throughALink) {
            ASSERT_TRUE(QFile::link(file, dir.filePath(name)));
        }

        const std::optional<SaveError> error =
            saveImage(image, dir.filePath(name), saveFormats()[0], QStringLiteral("/nonexistent"));
        ASSERT_FALSE(error.has_value()) << error->message().toStdString();

        EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                  c.mode);
        EXPECT_EQ(QFileInfo(dir.filePath(name)).isSymLink(), c.throughALink);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                  c.throughALink ? 2 : 1);
    }
    ::umask(mask);
}

}  // namespace
}  // namespace qv::output
