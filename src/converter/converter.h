#pragma once

#include <QString>
#include <QStringList>

namespace qv::converter {

// The marker the main program passes as the last argument.
inline constexpr char kMarker[] = "comingfromMirelda";

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

}  // namespace qv::converter
