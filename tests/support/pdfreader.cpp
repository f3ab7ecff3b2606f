#include "support/pdfreader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qv::testsupport {

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

PdfFacts readPdfFacts(const QString& path) {
    const QString out = run(QStringLiteral("pdfinfo"), {path});
    PdfFacts facts;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    if (pages.hasMatch())
        facts.pages = pages.captured(1).toInt();
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(out);
    if (size.hasMatch())
        facts.pageSizePt = {size.captured(1).toDouble(), size.captured(2).toDouble()};
    return facts;
}

QImage renderPdfPage(const QString& path, int page, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"), path, stem});
    return QImage(stem + QStringLiteral(".png"));
}

PdfPictures readPdfPictures(const QString& path) {
    PdfPictures pictures;
    // page num type width height color comp bpc enc interp object ID ...
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() > 8 && fields[2] == QStringLiteral("image"))
            pictures.encodings << fields[8];
    }
    QTemporaryDir dir;
    run(QStringLiteral("pdfimages"),
        {QStringLiteral("-png"), path, dir.filePath(QStringLiteral("p"))});
    for (int i = 0; i < pictures.encodings.size(); ++i)
        pictures.images << QImage(
            dir.filePath(QStringLiteral("p-%1.png").arg(i, 3, 10, QLatin1Char('0'))));
    return pictures;
}

QRectF inkBoxMm(const QImage& page, int dpi) {
    const QImage image = page.convertToFormat(QImage::Format_RGB32);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    const double mm = 25.4 / dpi;
    return {left * mm, top * mm, (right - left + 1) * mm, (bottom - top + 1) * mm};
}

}  // namespace qv::testsupport
