#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

#include "converter/pngfilter.h"

namespace qv::converter {

// How rows are filtered and packed. The defaults were chosen by measuring screenshots, synthetic
// desktops, busy patterns and real photographs (bench/png_bench.cpp): the fastest settings whose
// files are no larger than the toolkit's PNG writer makes of any of them.
struct PngSettings {
    PngFilter filter = PngFilter::Adaptive;
    // Deflate level 1..12; 0 takes kDefaultLevel.
    int level = 0;
    // The pieces the rows are filtered and packed in, side by side; 0 takes six a core, fewer
    // for a small picture. The file is the same for any count but for where the pieces join.
    int pieces = 0;
    // How adaptive filtering rates the rows; unset, a sample of the rows packed both ways picks.
    std::optional<RowMeasure> measure;
};

// With the pieces packed side by side, the level that keeps photographs below the toolkit's
// files (at 6 they were up to 1.3 % larger) costs less than a single thread at 6 did.
inline constexpr int kDefaultLevel = 7;

// The largest picture, in bytes of filtered rows, that is packed in one piece in memory: an
// 8K screen fits. Larger ones go through the toolkit's writer, which streams.
inline constexpr qint64 kLargestPackedInMemory = qint64(128) << 20;

// Whether encodePng takes image: 32-bit pictures (what a capture is) up to
// kLargestPackedInMemory. Palette and grey pictures keep the toolkit's writer, which stores them
// as such.
bool encodesDirectly(const QImage& image);

// Encodes a picture encodesDirectly() takes as an 8-bit PNG: RGB for an opaque picture, RGBA
// for one with an alpha channel. On failure the result is empty and `error` says why.
QByteArray encodePng(const QImage& image, const PngSettings& settings, QString* error);

}  // namespace qv::converter
