#pragma once

#include <string>

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

// What a conversion ended in: the exit code, and one line for stderr when it is not Ok.
struct Outcome {
    int exitCode = Ok;
    std::string message;
};

// The line a failure is told in on stderr: a line break in a path must not split it.
inline std::string failureLine(const std::string& message) {
    std::string line = "Quorvalline32: ";
    for (const char c : message) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line += c;
    }
    return line + '\n';
}

}  // namespace qv::converter
