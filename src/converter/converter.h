#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QIODevice;

namespace qv::converter {

// The marker the main program passes as the last argument.
inline constexpr char kMarker[] = "comingfromMirelda";

// The largest side a bitmap may have: a 16384 x 16384 capture at four bytes a pixel still reads.
inline constexpr int kMaxSide = 16384;

enum ExitCode : int {
    Ok = 0,
    Usage = 2,
    UnknownType = 3,
    UnreadableSource = 4,
    UnwritableTarget = 5,
    BadQuality = 6,
};

struct Result {
    int exitCode = Ok;
    QString message;  // one line for stderr when exitCode is not Ok
};

// arguments: source BMP, MIME type, target, quality 0..100, marker. The target appears whole
// or not at all: the image goes to a temporary file in its folder that is then renamed.
Result convert(const QStringList& arguments);

// Reads a whole bitmap from the device. The header is checked against the device's size first,
// so a cut file or a header that declares more pixels than the data holds is refused before any
// pixel memory is taken. On failure the image is null and `error` says why.
QImage readBitmap(QIODevice& device, QString* error);

}  // namespace qv::converter
