#pragma once

#include <QString>
#include <optional>

#include "options/filenamerule.h"

namespace qv::output {

// How many numbered names are tried after the bare prefix (0 .. 998).
using options::kNumberedNames;

// The first free name in folder: shownPrefix alone, then storedPrefix followed by 0, 1, ...
// 998, each with extension. Any existing entry, file or folder, counts as taken. Nothing when
// every candidate is taken.
std::optional<QString> firstFreeNumberedName(const QString& folder, const QString& shownPrefix,
                                             const QString& storedPrefix, const QString& extension);

}  // namespace qv::output
