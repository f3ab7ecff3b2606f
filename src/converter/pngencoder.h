#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "converter/pngfilter.h"

namespace qv::converter {

// How rows are filtered and packed. The defaults were chosen by measuring screenshots, synthetic
// desktops, busy patterns and real photographs (bench/png_bench.cpp): the fastest settings whose
// files are no larger than the toolkit's PNG writer makes of any of them.
struct PngSettings {
    PngFilter filter = PngFilter::Adaptive;
    // Deflate level 1..12; 0 takes kDefaultLevel.
    int level = 0;
    // The pieces the rows are filtered and packed in, side by side; 0 takes six a core (twelve
    // for a photograph), fewer for a small picture. The file is the same for any count but for
    // where the pieces join.
    int pieces = 0;
    // How adaptive filtering rates the rows; unset, a sample of the rows packed both ways picks.
    std::optional<RowMeasure> measure;
};

// With the pieces packed side by side, the level that keeps photographs below the toolkit's
// files (at 6 they were up to 1.3 % larger) costs less than a single thread at 6 did.
inline constexpr int kDefaultLevel = 7;

// The largest picture, in bytes of filtered rows, that is packed in one piece in memory: an
// 8K screen fits. Larger ones go through the toolkit's writer, which streams.
inline constexpr std::int64_t kLargestPackedInMemory = std::int64_t(128) << 20;

struct PictureShape {
    int width = 0;
    int height = 0;
    bool alpha = false;  // RGBA when set, else RGB
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

// Where the encoder takes a picture's rows from, on several threads at once: 32-bit pixels, one
// native word 0xAARRGGBB each, rows one after the other.
class PixelRows {
public:
    explicit PixelRows(const PictureShape& shape) : shape_(shape) {}
    virtual ~PixelRows() = default;
    const PictureShape& shape() const { return shape_; }
    // Rows first .. first + count - 1: where they lie in memory, or read into `room`, which
    // holds count rows. Null when they cannot be had.
    virtual const std::uint32_t* rows(int first, int count, std::uint32_t* room) const = 0;

private:
    PictureShape shape_;
};

// A whole PNG file in memory.
struct PngBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};

struct ByteRange {
    const std::uint8_t* data;
    std::size_t size;
};

// Takes the next bytes of a PNG file, the parts one after the other; false when it could not.
using PngSink = std::function<bool(std::initializer_list<ByteRange> parts)>;

// Whether encodePng takes a picture of this shape: up to kLargestPackedInMemory.
bool packsInMemory(const PictureShape& shape);

// Encodes a picture packsInMemory() takes as an 8-bit PNG, RGB or RGBA as its shape says, and
// hands the file to sink as it is made: a data chunk for each piece of rows, as soon as the
// pieces before it are packed. On failure `error` says why; a sink's refusal ends it.
bool encodePng(const PixelRows& rows, const PngSettings& settings, const PngSink& sink,
               std::string* error);

// The same file in memory. On failure the result is empty and `error` says why.
PngBytes encodePng(const PixelRows& rows, const PngSettings& settings, std::string* error);

}  // namespace qv::converter
