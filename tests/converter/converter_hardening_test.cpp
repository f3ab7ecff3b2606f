#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include "converter/runconverter.h"
#include "support/smalldisk.h"

namespace {

using namespace qv::convertertests;

const QString kCorpus = QStringLiteral(QV_SOURCE_DIR "/tests/converter/corpus");

RunResult toPng(const QString& source, const QString& target) {
    return runConverter({source, "image/png", target, "80", "comingfromMirelda"});
}

bool isOneLine(const QString& text) {
    return text.endsWith(u'\n') && text.count(u'\n') == 1;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A picture that no format squeezes much.
QImage noise(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    QRandomGenerator random(14);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, random.generate());
    }
    return image;
}

class ConverterHardeningTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        source_ = dir_.filePath(QStringLiteral("tempimage.bmp"));
        ASSERT_TRUE(noise(40).save(source_, "BMP"));
    }
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
    QString source_;
};

TEST_F(ConverterHardeningTest, RefusesBadSourcesAtOnceWithOneLine) {
    const QByteArray sound = readAll(source_);
    ASSERT_TRUE(writeAll(path("cut.bmp"), sound.left(sound.size() / 2)));
    QByteArray bomb = sound.left(200);  // declares 16384 x 16384 at 32 bits, holds nothing
    qToLittleEndian<qint32>(16384, bomb.data() + 18);
    qToLittleEndian<qint32>(16384, bomb.data() + 22);
    qToLittleEndian<quint16>(32, bomb.data() + 28);
    ASSERT_TRUE(writeAll(path("bomb.bmp"), bomb));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(source_, path("link.png")));

    struct Case {
        const char* why;
        QStringList args;
    };
    const QString out = path("out.png");
    const Case cases[] = {
        {"cut inside the pixels", {path("cut.bmp"), "image/png", out, "80", "comingfromMirelda"}},
        {"header bomb", {path("bomb.bmp"), "image/png", out, "80", "comingfromMirelda"}},
        {"a FIFO", {path("pipe.bmp"), "image/png", out, "80", "comingfromMirelda"}},
        {"a folder", {dir_.path(), "image/png", out, "80", "comingfromMirelda"}},
        {"target is the source", {source_, "image/png", source_, "80", "comingfromMirelda"}},
        {"target links to the source",
         {source_, "image/png", path("link.png"), "80", "comingfromMirelda"}},
        {"wrong marker", {source_, "image/png", out, "80", "comingfromSomewhereElse"}},
    };
    for (const Case& c : cases) {
        const RunResult r = runConverter(c.args);
        EXPECT_GT(r.exitCode, 0) << c.why << ": " << r.exitCode;
        EXPECT_TRUE(isOneLine(r.stderrText)) << c.why << ": " << qPrintable(r.stderrText);
        EXPECT_FALSE(QFile::exists(out)) << c.why;
        EXPECT_EQ(readAll(source_), sound) << c.why;
    }
}

// Whatever stands at the target's name and is not a plain file stays as it was: the refusal comes
// before anything is opened for writing, so the device node (a copy of the null device made in
// the test's own folder) is never written either.
TEST_F(ConverterHardeningTest, RefusesTargetsThatAreNotRegularFiles) {
    const QByteArray fifo = QFile::encodeName(path("pipe.png"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.png")));
    ASSERT_TRUE(QFile::link(path("pipe.png"), path("to-pipe.png")));
    ASSERT_TRUE(QFile::link(path("folder.png"), path("to-folder.png")));
    const bool device = ::mknod(QFile::encodeName(path("null.png")).constData(), S_IFCHR | 0600,
                                makedev(1, 3)) == 0;

    const struct {
        const char* target;
        mode_t kind;  // what lstat must still find there afterwards
    } cases[] = {
        {"pipe.png", S_IFIFO},      {"folder.png", S_IFDIR}, {"to-pipe.png", S_IFLNK},
        {"to-folder.png", S_IFLNK}, {"null.png", S_IFCHR},
    };
    const auto entries = [this] {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    };
    const QStringList before = entries();
    for (const auto& c : cases) {
        if (c.kind == S_IFCHR && !device)
            continue;  // making a device node needs root
        const RunResult r = toPng(source_, path(c.target));
        EXPECT_EQ(r.exitCode, 5) << c.target << ": " << qPrintable(r.stderrText);
        EXPECT_TRUE(isOneLine(r.stderrText)) << c.target << ": " << qPrintable(r.stderrText);
    }
    for (const auto& c : cases) {  // a link's run must not have replaced what it points to
        struct stat status {};
        if (c.kind != S_IFCHR || device) {
            ASSERT_EQ(::lstat(QFile::encodeName(path(c.target)).constData(), &status), 0);
            EXPECT_EQ(status.st_mode & S_IFMT, c.kind) << c.target;
        }
    }
    EXPECT_EQ(entries(), before);
}

// An 8K-plus screen: more than the toolkit's default 128 MB a picture.
TEST_F(ConverterHardeningTest, ConvertsAScreenLargerThan8K) {
    const int width = 8000, height = 4800;
    QByteArray header = readAll(source_).left(54);
    qToLittleEndian<qint32>(width, header.data() + 18);
    qToLittleEndian<qint32>(height, header.data() + 22);
    qToLittleEndian<quint16>(32, header.data() + 28);
    qToLittleEndian<quint32>(0, header.data() + 30);
    QFile big(path("big.bmp"));  // a sparse file: black pixels cost no disk
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(header);
    ASSERT_TRUE(big.resize(54 + qint64(width) * height * 4));
    big.close();

    const RunResult r = toPng(big.fileName(), path("big.png"));
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.stderrText);
    EXPECT_EQ(QImageReader(path("big.png")).size(), QSize(width, height));
}

TEST_F(ConverterHardeningTest, AFullDiskFailsAndNeverReplacesTheTarget) {
    qv::testsupport::SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a full disk needs a small tmpfs, and mounting one needs root";
    ASSERT_TRUE(noise(400).save(source_, "BMP"));  // far more than the disk holds in any format
    const struct {
        const char* mime;
        const char* target;
        bool existing;
    } cases[] = {
        {"image/png", "old.png", true},
        {"image/tiff", "old.tif", true},
        {"image/png", "new.png", false},
        {"image/jpeg", "new.jpg", false},
    };
    const QByteArray old = "the capture saved before";
    for (const auto& c : cases) {
        const QString target = disk.filePath(QString::fromLatin1(c.target));
        ASSERT_TRUE(!c.existing || writeAll(target, old));
        const QStringList before = disk.entries();
        const RunResult r = runConverter({source_, c.mime, target, "100", "comingfromMirelda"});
        EXPECT_EQ(r.exitCode, 5) << c.target;
        EXPECT_TRUE(isOneLine(r.stderrText)) << qPrintable(r.stderrText);
        EXPECT_TRUE(r.stderrText.contains(QLatin1String("No space left on device")))
            << qPrintable(r.stderrText);
        EXPECT_EQ(disk.entries(), before) << c.target;
        EXPECT_TRUE(!c.existing || readAll(target) == old) << c.target;
    }
}

// The bad headers once found, and what the mutation loop found since: sound seeds ("ok-")
// convert, cut files and bombs are refused, nothing crashes or hangs, and a failure is one line.
TEST_F(ConverterHardeningTest, TheBitmapCorpusNeverCrashes) {
    const QFileInfoList files = QDir(kCorpus).entryInfoList({"*.bmp"}, QDir::Files);
    ASSERT_GE(files.size(), 20);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        const QString target = path("out.png");
        const RunResult r = toPng(file.filePath(), target);
        const bool sound = name.startsWith(QLatin1String("ok-"));
        const bool refused =
            name.startsWith(QLatin1String("cut-")) || name.startsWith(QLatin1String("bomb-"));
        const int want = sound ? 0 : refused ? 4 : r.exitCode == 0 ? 0 : 4;
        EXPECT_EQ(r.exitCode, want) << qPrintable(name) << ": " << qPrintable(r.stderrText);
        const bool converted = r.exitCode == 0 && !QImage(target).isNull();
        EXPECT_TRUE(converted || isOneLine(r.stderrText)) << qPrintable(name);
        QFile::remove(target);
    }
}

}  // namespace
