#include "platform/linux/picturedecoding.h"

#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace qv::platform {

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;
// A picture is shown and captured in 32 bits a pixel, whatever it was stored in.
constexpr int kShownPixelBytes = 4;
// The most a reader makes of one pixel, 16 bits for each of four channels, whatever kind of
// picture it said in advance it would make.
constexpr int kWidestPixelBytes = 8;

// The toolkit's allocation limit is one for the whole program: it is raised for one picture
// and put back as it was.
class AllocationLimit {
public:
    explicit AllocationLimit(qint64 bytes) : previous_(QImageReader::allocationLimit()) {
        const qint64 megabytes = (bytes + kMegabyte - 1) / kMegabyte + 1;
        QImageReader::setAllocationLimit(int(std::max<qint64>(previous_, megabytes)));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int previous_;
};

// "MemAvailable:   123456 kB" of the kernel's memory report; 0 when it cannot be read.
qint64 availableMemory() {
    QFile report(QStringLiteral("/proc/meminfo"));
    if (!report.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = report.readLine(); !line.isEmpty(); line = report.readLine()) {
        if (line.startsWith("MemAvailable:")) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            return fields.size() >= 2 ? fields[1].toLongLong() * 1024 : 0;
        }
    }
    return 0;
}

// What the headers of a Windows bitmap declare. The toolkit's reader gives a top-down bitmap's
// height as negative, and reads a bitmap whose pixel data breaks off as whole, the missing
// rows in colour 0.
struct BitmapDeclaration {
    QSize size;
    bool whole = false;  // the data holds every byte of pixels the headers declare
};

std::optional<BitmapDeclaration> bitmapDeclaration(const QByteArray& encoded) {
    constexpr qsizetype kFileHeader = 14;
    constexpr quint32 kCoreHeader = 12, kInfoHeader = 40;
    if (!encoded.startsWith("BM") || encoded.size() < kFileHeader + qsizetype(kCoreHeader))
        return std::nullopt;
    const auto* at = reinterpret_cast<const uchar*>(encoded.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(at + 14);
    qint64 width = 0, height = 0;
    int bits = 0;
    quint32 compression = 0, imageBytes = 0;
    if (headerSize == kCoreHeader) {
        width = qFromLittleEndian<quint16>(at + 18);
        height = qFromLittleEndian<quint16>(at + 20);
        bits = qFromLittleEndian<quint16>(at + 24);
    } else if (headerSize >= kInfoHeader && encoded.size() >= kFileHeader + kInfoHeader) {
        width = qFromLittleEndian<qint32>(at + 18);
        height = std::abs(qint64(qFromLittleEndian<qint32>(at + 22)));
        bits = qFromLittleEndian<quint16>(at + 28);
        compression = qFromLittleEndian<quint32>(at + 30);
        imageBytes = qFromLittleEndian<quint32>(at + 34);
    } else {
        return std::nullopt;
    }
    if (height > std::numeric_limits<int>::max())
        return std::nullopt;
    const qint64 available = encoded.size() - qint64(qFromLittleEndian<quint32>(at + 10));
    // Rows of whole 32-bit words, unless compressed: then the header gives the bytes.
    constexpr quint32 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    const bool whole =
        compression == kRgb || compression == kBitFields || compression == kAlphaBitFields
            ? available >= 0 && (rowBytes <= 0 || height <= available / rowBytes)
            : imageBytes <= available;
    return BitmapDeclaration{QSize(int(width), int(height)), whole};
}

}  // namespace

qint64 memoryForOnePicture() {
    qint64 available = availableMemory();
    if (available <= 0)
        available = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE) / 2;
    return available / 2;
}

ClipboardPicture decodedPicture(const QImage& image) {
    using Problem = ClipboardPicture::Problem;
    if (image.isNull())
        return {QImage(), Problem::Unreadable, QSize()};
    return {image, Problem::None, image.size()};
}

ClipboardPicture decodePicture(const QByteArray& encoded, const QByteArray& format,
                               qint64 memoryLimit) {
    using Problem = ClipboardPicture::Problem;
    QBuffer device;
    device.setData(encoded);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, format);
    reader.setDecideFormatFromContent(true);
    const std::optional<BitmapDeclaration> bitmap = bitmapDeclaration(encoded);
    const QSize size = bitmap ? bitmap->size : reader.size();
    if (!size.isValid() || size.isEmpty())
        return {QImage(), Problem::Unreadable, QSize()};
    if (bitmap && !bitmap->whole)
        return {QImage(), Problem::Unreadable, size};
    const qint64 pixels = qint64(size.width()) * size.height();
    const QImage::Format kind = reader.imageFormat();
    const int pixelBytes = kind == QImage::Format_Invalid
                               ? kWidestPixelBytes
                               : (QImage::toPixelFormat(kind).bitsPerPixel() + 7) / 8;
    if (pixels * std::max(pixelBytes, kShownPixelBytes) > memoryLimit)
        return {QImage(), Problem::TooBig, size};
    const AllocationLimit limit(pixels * kWidestPixelBytes);
    QImage image = reader.read();
    if (image.isNull())
        return {QImage(), Problem::Unreadable, size};
    return {std::move(image), Problem::None, size};
}

}  // namespace qv::platform
