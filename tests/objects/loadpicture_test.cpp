#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "objects/adding.h"

namespace qv::objects {
namespace {

QImage filled(int side, QRgb color) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// An icon file holding each picture as a PNG entry, in the given order.
QByteArray iconFile(const std::vector<QImage>& pictures) {
    std::vector<QByteArray> payloads;
    for (const QImage& picture : pictures) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        payloads.push_back(png);
    }
    QByteArray file(6 + 16 * int(pictures.size()), '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, file.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, file.data() + at); };
    put16(2, 1);
    put16(4, quint16(pictures.size()));
    quint32 offset = quint32(file.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const int entry = 6 + 16 * int(i);
        file[entry] = char(pictures[i].width() & 0xff);
        file[entry + 1] = char(pictures[i].height() & 0xff);
        put16(entry + 4, 1);
        put16(entry + 6, 32);
        put32(entry + 8, quint32(payloads[i].size()));
        put32(entry + 12, offset);
        offset += quint32(payloads[i].size());
    }
    for (const QByteArray& payload : payloads)
        file += payload;
    return file;
}

TEST(LoadPicture, IconsShowTheir32PixelImageOtherwiseTheFirstAndBadFilesSayWhy) {
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    const struct {
        QString name;
        std::vector<QImage> pictures;
        QSize size;
        QRgb color;
    } icons[] = {
        {"three.ICO", {filled(16, red), filled(32, green), filled(48, blue)}, {32, 32}, green},
        {"two.ico", {filled(48, blue), filled(16, red)}, {48, 48}, blue},
    };
    for (const auto& icon : icons) {
        const LoadedPicture loaded = loadPicture(write(icon.name, iconFile(icon.pictures)));
        EXPECT_EQ(loaded.error, 0) << icon.name.toStdString();
        EXPECT_EQ(loaded.picture.size(), icon.size) << icon.name.toStdString();
        EXPECT_EQ(loaded.picture.pixel(3, 3), icon.color) << icon.name.toStdString();
    }

    const LoadedPicture garbage = loadPicture(write("notes.bmp", "not a picture at all"));
    EXPECT_EQ(garbage.error, 481);
    EXPECT_EQ(garbage.description, QStringLiteral("Invalid picture"));
    const LoadedPicture gone = loadPicture(dir.filePath("gone.gif"));
    EXPECT_EQ(gone.error, 53);
    EXPECT_EQ(gone.description, QStringLiteral("File not found"));
    EXPECT_EQ(loadPicture(dir.path()).error, 53) << "a folder is no picture file";
}

}  // namespace
}  // namespace qv::objects
