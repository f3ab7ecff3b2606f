#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "platform/memoryregistry.h"

namespace qv::platform {

// What reading a settings file found besides the keys and values it holds.
struct RegistryReading {
    // Lines (counted from 1) that could not be read and were left out, as runs of first and
    // last line, and how many lines they were.
    std::vector<std::pair<qsizetype, qsizetype>> skipped;
    qsizetype skippedCount = 0;
    // Why the first of them could not be read, with its number and without.
    QString firstProblem;
    QString firstReason;
    // Not a settings file at all (binary bytes, another text encoding): nothing in it counts.
    bool damagedWhole = false;

    bool complete() const { return skipped.empty() && !damagedWhole; }
    // "3, 7-9 and 12" (the first few runs only, for a message).
    QString skippedLineList() const;
};

// Key headers deeper than this are not read: nothing the program stores goes near it, and a
// tree without bound would cost time and memory without bound.
constexpr int kMaxKeyDepth = 64;

// The settings file's text for the tree.
QByteArray registryText(const MemoryRegistry& registry);
// Fills registry (emptied first) with every key and value that text holds in lines that can be
// read; lines that cannot are left out and named in the result.
RegistryReading readRegistryText(const QByteArray& text, MemoryRegistry& registry);

// Key and value names are stored as bytes. Names that are not UTF-8 (written by another
// program, in Latin-1 say) keep their bytes: each byte that is not part of a UTF-8 sequence
// reads as a character of its own (U+DC80 to U+DCFF) that is written back as that byte.
QString nameFromBytes(const QByteArray& bytes);
QByteArray nameToBytes(const QString& name);

}  // namespace qv::platform
