// Pictures other programs put on the clipboard, decoded as the clipboard reads them.
#include <gtest/gtest.h>

#include <QDataStream>
#include <QIODevice>
#include <QImage>

#include "platform/linux/picturedecoding.h"

namespace qv::platform {
namespace {

// A Windows bitmap of picture in 24 or 32 bits a pixel, its top row first (as a negative height
// declares) or last.
QByteArray bitmap(const QImage& picture, int bits, bool topDown) {
    const QImage rows =
        picture.convertToFormat(bits == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32)
            .mirrored(false, !topDown);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0x4D42) << quint32(54 + rows.sizeInBytes()) << quint32(0) << quint32(54)
        << quint32(40) << qint32(rows.width()) << qint32(topDown ? -rows.height() : rows.height())
        << quint16(1) << quint16(bits);
    file.resize(54, '\0');
    return file + QByteArray(reinterpret_cast<const char*>(rows.constBits()), rows.sizeInBytes());
}

TEST(PictureDecoding, BitmapsReadTopDownAndBottomUpAndThoseCutShortAreRefused) {
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int i = 0; i < 15; ++i)
        picture.setPixel(i % 5, i / 5, qRgb(i * 17, i / 5 * 100, 200));
    // 126 bytes: 1 bit a pixel, 16384 x 16384, a palette of two and 64 bytes of pixels.
    const QByteArray claiming =
        QByteArray::fromHex("424d7e000000000000003e000000280000000040000000400000010001")
            .leftJustified(126, '\0');
    using Problem = ClipboardPicture::Problem;
    const struct {
        const char* what;
        QByteArray encoded;
        Problem problem;
        QSize size;
    } cases[] = {
        {"24 bit, top-down", bitmap(picture, 24, true), Problem::None, picture.size()},
        {"32 bit, top-down", bitmap(picture, 32, true), Problem::None, picture.size()},
        {"24 bit, bottom-up", bitmap(picture, 24, false), Problem::None, picture.size()},
        {"24 bit, top-down, a row short", bitmap(picture, 24, true).chopped(16),
         Problem::Unreadable, picture.size()},
        {"1 bit, 16384 x 16384 in 126 bytes", claiming, Problem::Unreadable, QSize(16384, 16384)},
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
