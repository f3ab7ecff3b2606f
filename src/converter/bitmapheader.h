#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv::converter {

// The largest side a bitmap may have: a 16384 x 16384 capture at four bytes a pixel still reads.
inline constexpr int kMaxSide = 16384;

// What the file and info headers of a bitmap declare.
struct BitmapHeader {
    std::int64_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative for top-down rows
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::int32_t dotsPerMeterX = 0;
    std::int32_t dotsPerMeterY = 0;
};

// The bytes a header takes at most: the file header and the largest info header.
inline constexpr std::size_t kBitmapHeaderBytes = 14 + 124;

// Reads the headers from the first bytes of a file; what is wrong with them, or empty.
std::string parseBitmapHeader(const std::uint8_t* bytes, std::size_t size, BitmapHeader* header);

// Refuses what the reader would turn into a half-black picture or a huge allocation: the
// header is checked against the file's size, so a cut file or one that declares more pixels
// than its data holds is refused before any pixel memory is taken. Empty when it is sound.
std::string checkBitmapHeader(const BitmapHeader& header, std::int64_t fileSize);

// What the main program writes, and what most tools write: plain rows of 24 or 32 bits under
// the common 40-byte header.
bool plainTrueColour(const BitmapHeader& header);

}  // namespace qv::converter
