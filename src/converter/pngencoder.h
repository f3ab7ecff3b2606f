#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "converter/pngfilter.h"

namespace qv::converter {

// How rows are filtered and packed. The defaults were chosen by measuring screenshots, a
// photo-like desktop and busy patterns (bench/png_bench.cpp): the fastest settings whose files
// are no larger than the toolkit's PNG writer makes of any of them.
struct PngSettings {
    PngFilter filter = PngFilter::Adaptive;
    // Deflate level 1..12; 0 picks one of the levels below by packing a sample of the rows.
    int level = 0;
    // The pieces the rows are filtered and packed in, side by side; 0 takes one a core, fewer
    // for a small picture. The file is the same for any count but for where the pieces join.
    int pieces = 0;
};

// The levels the sample chooses from (see chooseLevel in pngencoder.cpp).
inline constexpr int kQuickLevel = 4;
inline constexpr int kThoroughLevel = 6;
inline constexpr int kSmoothLevel = 7;

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
