#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace qv::testsupport {

// What poppler's pdfinfo says of a PDF file: its page count and first page size in points.
struct PdfFacts {
    int pages = 0;
    QSizeF pageSizePt;
};
PdfFacts readPdfFacts(const QString& path);

// One page rendered with pdftoppm at dpi; a null image when that fails.
QImage renderPdfPage(const QString& path, int page, int dpi);

// The pictures a PDF holds: the encoding pdfimages lists for each ("image", "jpeg", ...), and
// each picture extracted losslessly as pdfimages -png writes it.
struct PdfPictures {
    QStringList encodings;
    QList<QImage> images;
};
PdfPictures readPdfPictures(const QString& path);

// The box of every pixel that is not white, in millimetres from the page's corner.
QRectF inkBoxMm(const QImage& page, int dpi);

}  // namespace qv::testsupport
