// A name as long as the file system takes (255 bytes) saves in every format, by every road,
// and the writes leave nothing else in the folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>

#include "converter/runconverter.h"
#include "platform/linux/wholefile.h"

namespace {

using namespace qv::convertertests;

constexpr int kWidth = 37, kHeight = 23;

QImage picture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 11, (x * y) & 0xFF));
    }
    return image;
}

// The bitmap the program hands the converter: 32 bits a pixel, top row first, which the
// converter saves as PNG on its own road.
QByteArray programBitmap() {
    const QImage image = picture();
    const qint32 rowBytes = kWidth * 4;
    QByteArray bytes(54, '\0');
    char* h = bytes.data();
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<qint32>(54 + rowBytes * kHeight, h + 2);
    qToLittleEndian<qint32>(54, h + 10);
    qToLittleEndian<qint32>(40, h + 14);
    qToLittleEndian<qint32>(kWidth, h + 18);
    qToLittleEndian<qint32>(-kHeight, h + 22);
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(32, h + 28);
    for (int y = 0; y < kHeight; ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    return bytes;
}

// A name of exactly 255 bytes ending in ext.
QString longName(const QString& stem, const QString& ext) {
    QString name = ext;
    while (name.toUtf8().size() + stem.toUtf8().size() <= 255)
        name.prepend(stem);
    while (name.toUtf8().size() < 255)
        name.prepend(u'x');
    return name;
}

class LongNamesTest : public ::testing::Test {
protected:
    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir dir_;
};

TEST_F(LongNamesTest, ANameOf255BytesSavesInEveryFormatByEveryRoad) {
    const struct {
        const char* kind;
        std::function<bool(const QString&)> write;
    } sources[] = {
        {"the program's bitmap",
         [](const QString& at) {
             QFile file(at);
             const QByteArray bytes = programBitmap();
             return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
         }},
        {"a bitmap of 24 bits", [](const QString& at) { return picture().save(at, "BMP"); }},
        {"a bitmap with a palette",
         [](const QString& at) {
             return picture().convertToFormat(QImage::Format_Indexed8).save(at, "BMP");
         }},
    };
    const std::pair<const char*, const char*> formats[] = {
        {"image/png", ".png"}, {"image/jpeg", ".jpg"}, {"image/tiff", ".tif"}};
    const char* stems[] = {"n", "\xc3\xbc"};  // one byte a letter, and two
    for (const auto& source : sources) {
        for (const auto& [mime, ext] : formats) {
            for (const char* stem : stems) {
                const QString name = longName(QString::fromUtf8(stem), QString::fromLatin1(ext));
                SCOPED_TRACE(std::string(source.kind) + " as " + mime + ", " +
                             std::to_string(name.toUtf8().size()) + " bytes of " + stem);
                QTemporaryDir dir;
                const QString bitmap = dir.filePath(QStringLiteral("picture.bmp"));
                ASSERT_TRUE(source.write(bitmap));
                const QString target = dir.filePath(name);
                const RunResult r = runConverter({bitmap, mime, target, "80", "comingfromMirelda"});
                EXPECT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
                EXPECT_EQ(QImage(target).size(), QSize(kWidth, kHeight));
                QStringList left =
                    QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
                QStringList expected{name, QStringLiteral("picture.bmp")};
                left.sort();
                expected.sort();
                EXPECT_EQ(left, expected);
            }
        }
    }
}

// The settings and the desktop entry are written whole in the same way.
TEST_F(LongNamesTest, TheProgramsWholeFileWriterTakesA255ByteName) {
    const QString name = longName(QStringLiteral("s"), QStringLiteral(".txt"));
    const QString path = dir_.filePath(name);
    for (const QByteArray& text : {QByteArray("first"), QByteArray("second, replacing it")}) {
        EXPECT_EQ(qv::platform::replaceFileWhole(path, text), QString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), text);
        EXPECT_EQ(entries(), QStringList({name}));
    }
}

}  // namespace
