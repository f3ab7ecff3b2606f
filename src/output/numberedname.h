#pragma once

#include <QString>
#include <optional>

namespace qv::output {

// How many numbered names are tried after the bare prefix (0 .. 998).
inline constexpr int kNumberedNames = 999;

// The first free name in folder: the shown prefix alone, then savename followed by 0, 1, ...
// 998, each with extension. Any existing entry, file or folder, counts as taken. Nothing when
// every candidate is taken.
std::optional<QString> firstFreeNumberedName(const QString& folder, const QString& prefix,
                                             const QString& savename, const QString& extension);

}  // namespace qv::output
