#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include "converter/bitmapheader.h"
#include "converter/request.h"

class QIODevice;

namespace qv::converter {

struct Result {
    int exitCode = Ok;
    QString message;  // one line for stderr when exitCode is not Ok
};

// arguments: source BMP, MIME type, target, quality 0..100, marker. The target appears whole
// or not at all: the image goes to a temporary file in its folder that is then renamed. This is
// the toolkit's road, which takes every request; saveCaptureAsPng() takes the common one faster.
Result convert(const QStringList& arguments);

// Reads a whole bitmap from the device. The header is checked against the device's size first,
// so a cut file or a header that declares more pixels than the data holds is refused before any
// pixel memory is taken. On failure the image is null and `error` says why.
QImage readBitmap(QIODevice& device, QString* error);

}  // namespace qv::converter
