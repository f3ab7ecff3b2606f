#include "converter/converter.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImageReader>
#include <QImageWriter>
#include <cstdlib>
#include <vector>

#include "converter/converterfiles.h"
#include "converter/pngimage.h"

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

QString fromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

std::string local(const QString& text) {
    return QFile::encodeName(text).toStdString();
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
    if (asInMemory &&
        device.read(reinterpret_cast<char*>(image.bits()), rowSize * rows) != rowSize * rows) {
        *error = QStringLiteral("the bitmap is cut short");
        return {};
    }
    std::vector<uchar> packed(bytes == 3 ? size_t(rowSize) : 0);
    for (int i = 0; i < rows; ++i) {
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

// The image is encoded in memory first: the image plugins do not all notice a short write (a
// TIFF cut by a full disk was reported as written), so every byte reaching the file is counted
// as it is written.
QString writeImage(const QImage& image, const QByteArray& format, int quality,
                   const QString& target) {
    std::string problem;
    if (format == "png" && encodesDirectly(image)) {
        const PngBytes png = encodePng(ImageRows(image), PngSettings{}, &problem);
        if (!png.data)
            return fromLocal(problem);
        problem = writeFileWhole(local(target), png.data.get(), png.size);
    } else {
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        if (format == "jpeg")
            writer.setQuality(quality);
        if (!writer.write(image))
            return writer.errorString();
        problem =
            writeFileWhole(local(target), reinterpret_cast<const uint8_t*>(encoded.constData()),
                           size_t(encoded.size()));
    }
    return fromLocal(problem);
}

}  // namespace

QImage readBitmap(QIODevice& device, QString* error) {
    BitmapHeader header;
    const QByteArray start = device.peek(kBitmapHeaderBytes);
    std::string problem = parseBitmapHeader(reinterpret_cast<const uint8_t*>(start.constData()),
                                            size_t(start.size()), &header);
    if (problem.empty())
        problem = checkBitmapHeader(header, device.size());
    if (!problem.empty()) {
        *error = QString::fromStdString(problem);
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

    std::string problem;
    struct stat sourceStatus {};
    const int fd = openRegularFile(local(source), &sourceStatus, &problem);
    if (fd < 0) {
        return fail(
            UnreadableSource,
            QStringLiteral("cannot read the bitmap \"%1\": %2").arg(source, fromLocal(problem)));
    }
    QFile sourceFile;
    sourceFile.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (sameFile(sourceStatus, local(target))) {
        return fail(UnwritableTarget,
                    QStringLiteral("the target \"%1\" is the source itself").arg(target));
    }
    problem = checkTarget(local(target));
    if (!problem.empty()) {
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, fromLocal(problem)));
    }
    QString why;
    const QImage image = readBitmap(sourceFile, &why);
    if (image.isNull()) {
        return fail(UnreadableSource,
                    QStringLiteral("cannot read the bitmap \"%1\": %2").arg(source, why));
    }
    sourceFile.close();

    why = writeImage(image, format, quality, target);
    if (!why.isEmpty())
        return fail(UnwritableTarget, QStringLiteral("cannot write \"%1\": %2").arg(target, why));
    return {};
}

}  // namespace qv::converter
