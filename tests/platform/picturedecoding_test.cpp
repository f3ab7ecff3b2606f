// Pictures other programs put on the clipboard, decoded as the clipboard reads them.
#include <gtest/gtest.h>

#include <QDataStream>
#include <QIODevice>
#include <QImage>

#include "platform/linux/picturedecoding.h"

namespace qv::platform {
namespace {

// A Windows bitmap of size in bits per pixel (1 bit with a palette of two), its rows given top
// row first as a negative height declares, or last.
QByteArray bitmap(QSize size, int bits, bool topDown, const QByteArray& pixels) {
    const quint32 offset = 14 + 40 + (bits == 1 ? 8 : 0);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0x4D42) << quint32(offset + pixels.size()) << quint32(0) << offset << quint32(40)
        << qint32(size.width()) << qint32(topDown ? -size.height() : size.height()) << quint16(1)
        << quint16(bits);
    file.resize(offset, '\0');
    return file + pixels;
}

// The rows of picture as a bitmap of 24 or 32 bits holds them.
QByteArray rowsOf(const QImage& picture, int bits, bool topDown) {
    const QImage rows =
        picture.convertToFormat(bits == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
    QByteArray pixels;
    for (int y = 0; y < rows.height(); ++y) {
        pixels += QByteArray::fromRawData(
            reinterpret_cast<const char*>(rows.constScanLine(topDown ? y : rows.height() - 1 - y)),
            rows.bytesPerLine());
    }
    return pixels;
}

TEST(PictureDecoding, BitmapsReadTopDownAndBottomUpAndThoseCutShortAreRefused) {
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 50, y * 100, 200));
    }
    const QSize big(16384, 16384);
    using Problem = ClipboardPicture::Problem;
    const struct {
        const char* what;
        QByteArray encoded;
        Problem problem;
        QSize size;
    } cases[] = {
        {"24 bit, top-down", bitmap(picture.size(), 24, true, rowsOf(picture, 24, true)),
         Problem::None, picture.size()},
        {"32 bit, top-down", bitmap(picture.size(), 32, true, rowsOf(picture, 32, true)),
         Problem::None, picture.size()},
        {"24 bit, bottom-up", bitmap(picture.size(), 24, false, rowsOf(picture, 24, false)),
         Problem::None, picture.size()},
        {"24 bit, top-down, a row short",
         bitmap(picture.size(), 24, true, rowsOf(picture, 24, true).chopped(16)),
         Problem::Unreadable, picture.size()},
        {"1 bit, 126 bytes declaring 16384 x 16384", bitmap(big, 1, false, QByteArray(64, '\0')),
         Problem::Unreadable, big},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ClipboardPicture read = decodePicture(c.encoded, "bmp", qint64(1) << 32);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.size, c.size);
        EXPECT_EQ(read.image.convertToFormat(QImage::Format_RGB32),
                  c.problem == Problem::None ? picture : QImage());
    }
}

}  // namespace
}  // namespace qv::platform
