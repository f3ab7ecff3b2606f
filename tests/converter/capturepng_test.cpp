// Saving the main program's bitmap as PNG without the toolkit, and the whole write both roads
// end in.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include "converter/converterfiles.h"
#include "converter/runconverter.h"
#include "output/imagesaver.h"

namespace {

using namespace qv::convertertests;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QImage gradient(int width, int height, int dotsPerMeter) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 3, (x * y) & 0xFF));
    }
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// The bitmap as the main program hands it over; without its resolution when unstated is set.
bool writeCaptureBitmap(const QImage& image, const QString& path, bool unstated = false) {
    QFile file(path);
    QString why;
    if (!file.open(QIODevice::ReadWrite) || !qv::output::writeConverterBitmap(image, file, why))
        return false;
    return !unstated || (file.seek(38) && file.write(QByteArray(8, '\0')) == 8);
}

class CapturePngTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

// The same rows stored bottom row first, which only the toolkit's road reads.
QByteArray bottomUp(const QByteArray& topDown, int width, int height) {
    QByteArray flipped = topDown.left(54);
    qToLittleEndian(qint32(height), flipped.data() + 22);
    const qsizetype row = qsizetype(width) * 4;
    for (int y = height - 1; y >= 0; --y)
        flipped += topDown.mid(54 + y * row, row);
    return flipped;
}

TEST_F(CapturePngTest, ACaptureSavesAsTheToolkitsRoadSavesTheSamePictureByteForByte) {
    const struct {
        int width, height, dotsPerMeter;  // 0: the bitmap states none
    } cases[] = {{1, 1, 3780}, {97, 61, 2835}, {1921, 301, 3780}, {640, 480, 0}};
    for (const auto& c : cases) {
        const QString what =
            QStringLiteral("%1x%2 at %3").arg(c.width).arg(c.height).arg(c.dotsPerMeter);
        const QImage image = gradient(c.width, c.height, std::max(c.dotsPerMeter, 1));
        ASSERT_TRUE(writeCaptureBitmap(image, path("capture.bmp"), c.dotsPerMeter == 0));
        QFile flipped(path("flipped.bmp"));
        ASSERT_TRUE(flipped.open(QIODevice::WriteOnly));
        flipped.write(bottomUp(readAll(path("capture.bmp")), c.width, c.height));
        flipped.close();
        for (const char* name : {"capture", "flipped"}) {
            const RunResult r =
                runConverter({path(name + QStringLiteral(".bmp")), "image/png",
                              path(name + QStringLiteral(".png")), "80", "comingfromMirelda"});
            ASSERT_EQ(r.exitCode, 0) << qPrintable(what) << qPrintable(r.stderrText);
        }
        const QByteArray quick = readAll(path("capture.png"));
        EXPECT_TRUE(quick == readAll(path("flipped.png"))) << qPrintable(what);
        EXPECT_EQ(QImage::fromData(quick).convertToFormat(QImage::Format_RGB32),
                  image.convertToFormat(QImage::Format_RGB32))
            << qPrintable(what);
    }
}

// The start of the converter is most of a small save: the toolkit is loaded only for what
// needs it.
TEST_F(CapturePngTest, SavingACaptureAsPngLoadsNoToolkitWhileOtherTypesDo) {
    ASSERT_TRUE(writeCaptureBitmap(gradient(64, 48, 3780), path("capture.bmp")));
    const struct {
        const char* mime;
        const char* target;
        bool toolkit;
    } cases[] = {{"image/png", "a.png", false}, {"image/jpeg", "a.jpg", true}};
    for (const auto& c : cases) {
        QDir(path("trace")).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(path("trace")));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "libs");
        environment.insert("LD_DEBUG_OUTPUT", path("trace/ld"));
        process.setProcessEnvironment(environment);
        process.start(kConverter,
                      {path("capture.bmp"), c.mime, path(c.target), "80", "comingfromMirelda"});
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 0) << c.mime << process.readAllStandardError().data();
        QByteArray trace;
        for (const QString& file : QDir(path("trace")).entryList(QDir::Files))
            trace += readAll(path("trace/" + file));
        ASSERT_FALSE(trace.isEmpty()) << "the loader wrote no trace";
        EXPECT_EQ(trace.contains("libQt6Gui"), c.toolkit) << c.mime;
        EXPECT_FALSE(QImage(path(c.target)).isNull()) << c.mime;
    }
}

// The file is written while the picture is packed: a write cut short on the way fails the
// save with one line and leaves the old file and the folder as they were. A file size limit
// (prlimit --fsize) cuts it short on either road, as a full disk would, and does not end the
// converter silently by its signal.
TEST_F(CapturePngTest, AWriteCutShortOnTheWayLeavesTheOldFile) {
    QImage noise(600, 400, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, seed = seed * 1664525u + 1013904223u);
    }
    ASSERT_TRUE(QDir().mkpath(path("out")));
    ASSERT_TRUE(writeCaptureBitmap(noise, path("capture.bmp")));
    ASSERT_TRUE(noise.save(path("plain.bmp"), "BMP"));  // 24 bits, the toolkit's road
    const std::pair<const char*, const char*> cases[] = {
        {"capture.bmp", "image/png"}, {"plain.bmp", "image/png"}, {"plain.bmp", "image/tiff"}};
    for (const auto& [source, mime] : cases) {
        SCOPED_TRACE(testing::Message() << source << " " << mime);
        QFile old(path("out/shot.png"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("before") == 6);
        old.close();
        QProcess process;
        // Far less than the picture packs to, as a disk about to fill up would take.
        process.setChildProcessModifier([] {
            ::signal(SIGXFSZ, SIG_DFL);
            const struct rlimit small = {300 << 10, 300 << 10};
            ::setrlimit(RLIMIT_FSIZE, &small);
        });
        process.start(kConverter,
                      {path(source), mime, path("out/shot.png"), "80", "comingfromMirelda"});
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 5);  // not SIGXFSZ, which would end it silently
        const QString line = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(line.endsWith(u'\n') && line.count(u'\n') == 1) << qPrintable(line);
        EXPECT_TRUE(line.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << qPrintable(line);
        EXPECT_EQ(readAll(path("out/shot.png")), "before");
        EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"shot.png"});
    }
}

TEST_F(CapturePngTest, TheWholeWriteKeepsTheModeFollowsALinkAndLeavesNothingBehind) {
    const QByteArray bytes(100000, 'p');
    const auto write = [&](const QString& target) {
        return qv::converter::writeFileWhole(local(target),
                                             reinterpret_cast<const uint8_t*>(bytes.constData()),
                                             size_t(bytes.size()));
    };
    const auto modeOf = [](const QString& file) {
        struct stat status {};
        return ::stat(QFile::encodeName(file).constData(), &status) == 0 ? status.st_mode & 07777
                                                                         : 0u;
    };
    // A new file gets what the user's mask allows; a file there keeps its own permissions.
    const mode_t mask = ::umask(027);
    EXPECT_EQ(write(path("new.png")), "");
    EXPECT_EQ(modeOf(path("new.png")), 0640u);
    ::umask(mask);
    QFile old(path("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("before") == 6);
    old.close();
    ASSERT_EQ(::chmod(QFile::encodeName(old.fileName()).constData(), 0604), 0);
    EXPECT_EQ(write(old.fileName()), "");
    EXPECT_EQ(modeOf(old.fileName()), 0604u);
    EXPECT_EQ(readAll(old.fileName()), bytes);
    // A link stays a link; the file it leads to gets the bytes.
    ASSERT_TRUE(QFile::link(path("old.png"), path("link.png")));
    const QByteArray other(5000, 'q');
    EXPECT_EQ(qv::converter::writeFileWhole(local(path("link.png")),
                                            reinterpret_cast<const uint8_t*>(other.constData()),
                                            size_t(other.size())),
              "");
    EXPECT_TRUE(QFileInfo(path("link.png")).isSymLink());
    EXPECT_EQ(readAll(path("old.png")), other);

    const QStringList before = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(write(path("no such folder/x.png")), std::strerror(ENOENT));
    // A file size limit cuts the write short, as a full disk does: the old file stays.
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const struct rlimit small = {4096, limit.rlim_max};
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string cut = write(path("old.png"));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, previous);
    EXPECT_EQ(cut, std::strerror(EFBIG));
    EXPECT_EQ(readAll(path("old.png")), other);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), before);
}

// A link that another user could have planted (in a sticky folder such as /tmp) is not followed
// onto a file: neither a link of another user nor one to another user's file. Either road
// refuses it before anything is written; the user's own link to the user's own file is followed.
TEST_F(CapturePngTest, OnlyTheUsersOwnLinksToTheUsersOwnFilesAreFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    const uid_t other = 65534;
    ASSERT_TRUE(writeCaptureBitmap(gradient(64, 48, 3780), path("capture.bmp")));
    ASSERT_TRUE(gradient(64, 48, 3780).save(path("plain.bmp"), "BMP"));
    const struct {
        const char* name;
        uid_t linkOwner, fileOwner;
        bool followed;
    } links[] = {{"planted", other, 0, false}, {"to-theirs", 0, other, false}, {"own", 0, 0, true}};
    for (const auto& l : links) {
        const QString link = path(l.name + QStringLiteral(".png")), file = link + ".file";
        ASSERT_TRUE(QFile::link(file, link));
        ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), l.linkOwner, 0), 0);
        for (const char* source : {"capture.bmp", "plain.bmp"}) {
            SCOPED_TRACE(testing::Message() << l.name << " " << source);
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("before") == 6);
            old.close();
            ASSERT_EQ(::chown(QFile::encodeName(file).constData(), l.fileOwner, 0), 0);
            const RunResult r =
                runConverter({path(source), "image/png", link, "80", "comingfromMirelda"});
            EXPECT_EQ(r.exitCode, l.followed ? 0 : 5) << qPrintable(r.stderrText);
            EXPECT_EQ(readAll(file) == "before", !l.followed);
            EXPECT_TRUE(QFileInfo(link).isSymLink());
        }
    }
}

}  // namespace
