#include "converter/converter.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

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

}  // namespace

Result convert(const QStringList& args) {
    if (args.size() != 5) {
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
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        return fail(
            UnknownType,
            QStringLiteral("this system cannot write %1 images").arg(QString::fromLatin1(format)));
    }

    QImageReader reader(source, "bmp");
    QImage image = reader.read();
    if (image.isNull()) {
        return fail(
            UnreadableSource,
            QStringLiteral("cannot read the bitmap \"%1\": %2").arg(source, reader.errorString()));
    }

    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, file.errorString()));
    }
    QImageWriter writer(&file, format);
    if (format == "jpeg")
        writer.setQuality(quality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, writer.errorString()));
    }
    if (!file.commit()) {
        return fail(UnwritableTarget,
                    QStringLiteral("cannot write \"%1\": %2").arg(target, file.errorString()));
    }
    return {};
}

}  // namespace qv::converter
