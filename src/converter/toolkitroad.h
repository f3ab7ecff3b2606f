#pragma once

namespace qv::converter {

// The library that holds the toolkit's road, beside the converter program, and its entry: it
// converts as the program would and returns the exit code, having told a failure on stderr.
inline constexpr char kToolkitRoadFile[] = "libQuorvalline32-toolkit.so";
inline constexpr char kToolkitRoadEntry[] = "qv_convert_with_toolkit";
using ToolkitRoad = int (*)(int argc, char* argv[]);

}  // namespace qv::converter
