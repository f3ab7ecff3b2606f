#include "converter/converter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "converter/pngencoder.h"
#include "converter/sidebyside.h"

namespace qv::converter {

namespace {

Result fail(ExitCode code, const QString& message) {
    return Result{code, message};
}

QByteArray formatFor(const QString& mime) {
    if (mime == QLatin1String("image/png"))
        return "png";
    if (mime == QLatin1String("image/jpeg"))
        return "jpeg";
    if (mime == QLatin1String("image/tiff"))
        return "tiff";
    return {};
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What the file and info headers of a bitmap declare.
struct BitmapHeader {
    qint64 pixelOffset = 0;
    quint32 infoSize = 0;
    qint64 width = 0;
    qint64 height = 0;  // negative for top-down rows
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint32 dotsPerMeterX = 0;
    qint32 dotsPerMeterY = 0;
};

enum Compression : quint32 { Plain = 0, RunLength8 = 1, RunLength4 = 2, BitFields = 3 };

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;  // the old OS/2 header with 16-bit sizes
constexpr int kLargestInfoSize = 124;
// A run-length bitmap may decode to at most this many bytes of image for each byte of data:
// a uniform screen packs 255 pixels into two bytes, and a tiny file cannot claim a huge image.
constexpr qint64 kRunLengthGain = 1024;

QString parseHeader(const QByteArray& bytes, BitmapHeader* header) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return QStringLiteral("not a bitmap");
    header->pixelOffset = qFromLittleEndian<quint32>(data + 10);
    header->infoSize = qFromLittleEndian<quint32>(data + 14);
    const bool core = header->infoSize == kCoreHeaderSize;
    if (!core && (header->infoSize < 40 || header->infoSize > kLargestInfoSize))
        return QStringLiteral("unknown bitmap header");
    if (bytes.size() < kFileHeaderSize + qint64(header->infoSize))
        return QStringLiteral("the bitmap header is cut short");
    const uchar* info = data + kFileHeaderSize;
    if (core) {
        header->width = qFromLittleEndian<quint16>(info + 4);
        header->height = qFromLittleEndian<quint16>(info + 6);
        header->bitsPerPixel = qFromLittleEndian<quint16>(info + 10);
    } else {
        header->width = qFromLittleEndian<qint32>(info + 4);
        header->height = qFromLittleEndian<qint32>(info + 8);
        header->bitsPerPixel = qFromLittleEndian<quint16>(info + 14);
        header->compression = qFromLittleEndian<quint32>(info + 16);
        header->dotsPerMeterX = qFromLittleEndian<qint32>(info + 24);
        header->dotsPerMeterY = qFromLittleEndian<qint32>(info + 28);
    }
    return {};
}

// Refuses what the reader would turn into a half-black picture or a huge allocation.
QString checkHeader(const BitmapHeader& header, qint64 fileSize) {
    const qint64 rows = std::abs(header.height);
    if (header.width <= 0 || rows == 0 || header.width > kMaxSide || rows > kMaxSide) {
        return QStringLiteral("a bitmap of %1 x %2 pixels is not supported (at most %3 a side)")
            .arg(header.width)
            .arg(header.height)
            .arg(kMaxSide);
    }
    switch (header.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return QStringLiteral("%1 bits a pixel is not a bitmap depth").arg(header.bitsPerPixel);
    }
    if (header.pixelOffset < kFileHeaderSize + qint64(header.infoSize) ||
        header.pixelOffset >= fileSize) {
        return QStringLiteral("the bitmap's pixel data lies outside the file");
    }
    const qint64 dataSize = fileSize - header.pixelOffset;
    switch (header.compression) {
        case Plain:
        case BitFields: {
            const qint64 rowSize = (header.width * header.bitsPerPixel + 31) / 32 * 4;
            if (dataSize < rowSize * rows) {
                return QStringLiteral("the bitmap is cut short (%1 of %2 bytes of pixels)")
                    .arg(dataSize)
                    .arg(rowSize * rows);
            }
            return {};
        }
        case RunLength8:
        case RunLength4:
            if (header.width * rows * 4 > dataSize * kRunLengthGain)
                return QStringLiteral("the bitmap declares more pixels than its data can hold");
            return {};
        default:
            return QStringLiteral("unknown bitmap compression %1").arg(header.compression);
    }
}

// What the main program writes, and what most tools write: plain rows of 24 or 32 bits under
// the common 40-byte header. These are read straight into the picture's rows; anything else
// goes through the toolkit's reader.
bool plainTrueColour(const BitmapHeader& header) {
    return header.infoSize == 40 && header.compression == Plain &&
           (header.bitsPerPixel == 24 || header.bitsPerPixel == 32);
}

// Reads rows of 32 bits that lie in the file as in memory straight into the picture, in bands
// side by side: most of a lone read went into the kernel's first touch of the picture's fresh
// pages, which each thread now does for its own band, then sets the padding byte of its rows
// opaque while they are in its cache. False when the file ends early or cannot be read.
bool readRowsSideBySide(int fd, qint64 offset, QImage& image) {
    const int rows = image.height();
    const qint64 rowSize = image.bytesPerLine();
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int bands = std::clamp(int(rowSize * rows / (256 << 10)), 1, 2 * cores);
    std::atomic<bool> complete = true;
    uchar* bits = image.bits();
    SideBySide threads(std::min(bands, cores));
    threads.run(bands, [&](int, int band) {
        const int first = rows * band / bands;
        const int end = rows * (band + 1) / bands;
        auto* into = reinterpret_cast<char*>(bits + first * rowSize);
        qint64 left = (end - first) * rowSize;
        qint64 at = offset + first * rowSize;
        while (left > 0) {
            const ssize_t count = ::pread(fd, into, size_t(left), at);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                complete = false;
                return;
            }
            into += count;
            at += count;
            left -= count;
        }
        for (int y = first; y < end; ++y) {
            auto* line = reinterpret_cast<quint32*>(bits + y * rowSize);
            for (int x = 0; x < image.width(); ++x)
                line[x] |= 0xFF000000u;
        }
    });
    return complete;
}

QImage readPlainTrueColour(QIODevice& device, const BitmapHeader& header, QString* error) {
    const int width = int(header.width);
    const int rows = int(std::abs(header.height));
    const bool topDown = header.height < 0;
    QImage image(width, rows, QImage::Format_RGB32);
    if (image.isNull()) {
        *error = QStringLiteral("not enough memory for %1 x %2 pixels").arg(width).arg(rows);
        return {};
    }
    if (!device.seek(header.pixelOffset)) {
        *error = device.errorString();
        return {};
    }
    const int bytes = header.bitsPerPixel / 8;
    const qint64 rowSize = (qint64(width) * bytes + 3) / 4 * 4;
    // The main program's bitmap lies as the picture does in memory: all rows in one read.
    const bool asInMemory = bytes == 4 && topDown && image.bytesPerLine() == rowSize;
    const auto* file = qobject_cast<QFileDevice*>(&device);
    const bool sideBySide = asInMemory && file && file->handle() >= 0;
    if (sideBySide && !readRowsSideBySide(file->handle(), header.pixelOffset, image)) {
        *error = QStringLiteral("the bitmap is cut short");
        return {};
    }
    if (asInMemory && !sideBySide &&
        device.read(reinterpret_cast<char*>(image.bits()), rowSize * rows) != rowSize * rows) {
        *error = QStringLiteral("the bitmap is cut short");
        return {};
    }
    std::vector<uchar> packed(bytes == 3 ? size_t(rowSize) : 0);
    for (int i = 0; !sideBySide && i < rows; ++i) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(topDown ? i : rows - 1 - i));
        // Rows of 32 bits land in place; rows of 24 are spread out to 32 after reading.
        char* into =
            bytes == 4 ? reinterpret_cast<char*>(line) : reinterpret_cast<char*>(packed.data());
        if (!asInMemory && device.read(into, rowSize) != rowSize) {
            *error = QStringLiteral("the bitmap is cut short");
            return {};
        }
        if (bytes == 4) {
            // The fourth byte of a plain 32-bit row is padding, not transparency.
            for (int x = 0; x < width; ++x)
                line[x] |= 0xFF000000u;
        } else {
            const uchar* bgr = packed.data();
            for (int x = 0; x < width; ++x, bgr += 3)
                line[x] = 0xFF000000u | quint32(bgr[2]) << 16 | quint32(bgr[1]) << 8 | bgr[0];
        }
    }
    if (header.dotsPerMeterX > 0)
        image.setDotsPerMeterX(header.dotsPerMeterX);
    if (header.dotsPerMeterY > 0)
        image.setDotsPerMeterY(header.dotsPerMeterY);
    return image;
}

// Opens without blocking: a FIFO or a device in the source's place is refused, not waited on.
int openRegularFile(const QString& path, struct stat* status, QString* error) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = systemError(errno);
        return -1;
    }
    if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
        *error = S_ISDIR(status->st_mode) ? QStringLiteral("it is a folder")
                                          : QStringLiteral("it is not a regular file");
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sameFile(const struct stat& source, const QString& target) {
    struct stat status {};
    return ::stat(QFile::encodeName(target).constData(), &status) == 0 &&
           status.st_dev == source.st_dev && status.st_ino == source.st_ino;
}

// The atomic write would unlink whatever stands at the target's name: a FIFO, a device node or a
// folder there (or at the end of a link) belongs to someone else and is left alone.
QString checkTarget(const QString& target) {
    struct stat status {};
    if (::stat(QFile::encodeName(target).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return S_ISDIR(status.st_mode) ? QStringLiteral("it is a folder")
                                   : QStringLiteral("it is not a regular file");
}

// The image is encoded in memory first: the image plugins do not all notice a short write (a
// TIFF cut by a full disk was reported as written), so every byte reaching the file is counted
// here, and the flush is checked too, since the atomic file renames a partial file into place
// when only its final flush fails.
QString writeImage(const QImage& image, const QByteArray& format, int quality,
                   const QString& target) {
    QByteArray encoded;
    if (format == "png" && encodesDirectly(image)) {
        QString problem;
        encoded = encodePng(image, PngSettings{}, &problem);
        if (encoded.isEmpty())
            return problem;
    } else {
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        if (format == "jpeg")
            writer.setQuality(quality);
        if (!writer.write(image))
            return writer.errorString();
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    qint64 done = 0;
    while (done < encoded.size()) {
        const qint64 count = file.write(encoded.constData() + done, encoded.size() - done);
        if (count <= 0)
            break;
        done += count;
    }
    if (done < encoded.size() || file.error() != QFileDevice::NoError || !file.flush() ||
        ::fsync(file.handle()) != 0) {
        const int error = errno;
        // Cancelling puts its own text in place of the cause.
        const QString cause =
            file.error() != QFileDevice::NoError ? file.errorString() : systemError(error);
        file.cancelWriting();
        return cause;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace

QImage readBitmap(QIODevice& device, QString* error) {
    BitmapHeader header;
    QString problem = parseHeader(device.peek(kFileHeaderSize + kLargestInfoSize), &header);
    if (problem.isEmpty())
        problem = checkHeader(header, device.size());
    if (!problem.isEmpty()) {
        *error = problem;
        return {};
    }
    if (plainTrueColour(header))
        return readPlainTrueColour(device, header, error);
    // The header check above bounds what the reader may allocate.
    QImageReader::setAllocationLimit(int(qint64(kMaxSide) * kMaxSide * 4 / (1024 * 1024)));
    QImageReader reader(&device, "bmp");
    QImage image = reader.read();
    if (image.isNull()) {
        *error = reader.errorString();
        return image;
    }
    // A header may count more palette colours than the depth can index; the encoders refuse
    // such a palette, and the extra colours are never used.
    const int indexable = image.depth() <= 8 ? 1 << image.depth() : 0;
    if (image.colorCount() > indexable && indexable > 0)
        image.setColorTable(image.colorTable().mid(0, indexable));
    return image;
}

Result convert(const QStringList& args) {
    if (args.size() != 5 || args[4] != QLatin1String(kMarker)) {
        return fail(Usage,
                    QStringLiteral("usage: Quorvalline32 SOURCE.bmp MIME-TYPE TARGET QUALITY %1")
                        .arg(QLatin1String(kMarker)));
    }
    const QString& source = args[0];
    const QString& mime = args[1];
    const QString& target = args[2];

    const QByteArray format = formatFor(mime);
    if (format.isEmpty()) {
        return fail(UnknownType, QStringLiteral("unknown MIME type \"%1\" (image/png, "
                                                "image/jpeg or image/tiff)")
                                     .arg(mime));
    }
    bool numeric = false;
    const int quality = args[3].toInt(&numeric);
    if (!numeric || quality < 0 || quality > 100) {
        return fail(BadQuality,
                    QStringLiteral("quality \"%1\" is not a number from 0 to 100").arg(args[3]));
    }
    // PNG is always there; asking for the others loads every image plugin of the system.
    if (format != "png" && !QImageWriter::supportedImageFormats().contains(format)) {
        return fail(
            UnknownType,
            QStringLiteral("this system cannot write %1 images").arg(QString::fromLatin1(format)));
    }

    QString problem;
    struct stat sourceStatus {};
    const int fd = openRegularFile(source, &sourceStatus, &problem);
    if (fd < 0) {
        return fail(UnreadableSource,
                    QStringLiteral("cannot read the bitmap \"%1\": %2").arg(source, problem));
    }
    QFile sourceFile;
    sourceFile.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (sameFile(sourceStatus, target)) {
        return fail(UnwritableTarget,
                    QStringLiteral("the target \"%1\" is the source itself").arg(target));
    }
    problem = checkTarget(target);
    if (!problem.isEmpty())
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, problem));
    const QImage image = readBitmap(sourceFile, &problem);
    if (image.isNull()) {
        return fail(UnreadableSource,
                    QStringLiteral("cannot read the bitmap \"%1\": %2").arg(source, problem));
    }
    sourceFile.close();

    problem = writeImage(image, format, quality, target);
    if (!problem.isEmpty())
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, problem));
    return {};
}

}  // namespace qv::converter
