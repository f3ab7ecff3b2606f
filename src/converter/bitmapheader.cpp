#include "converter/bitmapheader.h"

#include <cstdlib>

namespace qv::converter {

namespace {

enum Compression : std::uint32_t { Plain = 0, RunLength8 = 1, RunLength4 = 2, BitFields = 3 };

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the old OS/2 header with 16-bit sizes
constexpr std::uint32_t kLargestInfoSize = 124;
// A run-length bitmap may decode to at most this many bytes of image for each byte of data:
// a uniform screen packs 255 pixels into two bytes, and a tiny file cannot claim a huge image.
constexpr std::int64_t kRunLengthGain = 1024;

std::uint32_t little(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

}  // namespace

std::string parseBitmapHeader(const std::uint8_t* data, std::size_t size, BitmapHeader* header) {
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return "not a bitmap";
    header->pixelOffset = little(data + 10, 4);
    header->infoSize = little(data + 14, 4);
    const bool core = header->infoSize == kCoreHeaderSize;
    if (!core && (header->infoSize < 40 || header->infoSize > kLargestInfoSize))
        return "unknown bitmap header";
    if (size < kFileHeaderSize + header->infoSize)
        return "the bitmap header is cut short";
    const std::uint8_t* info = data + kFileHeaderSize;
    if (core) {
        header->width = little(info + 4, 2);
        header->height = little(info + 6, 2);
        header->bitsPerPixel = int(little(info + 10, 2));
    } else {
        header->width = std::int32_t(little(info + 4, 4));
        header->height = std::int32_t(little(info + 8, 4));
        header->bitsPerPixel = int(little(info + 14, 2));
        header->compression = little(info + 16, 4);
        header->dotsPerMeterX = std::int32_t(little(info + 24, 4));
        header->dotsPerMeterY = std::int32_t(little(info + 28, 4));
    }
    return {};
}

std::string checkBitmapHeader(const BitmapHeader& header, std::int64_t fileSize) {
    const std::int64_t rows = std::abs(header.height);
    if (header.width <= 0 || rows == 0 || header.width > kMaxSide || rows > kMaxSide) {
        return "a bitmap of " + std::to_string(header.width) + " x " +
               std::to_string(header.height) + " pixels is not supported (at most " +
               std::to_string(kMaxSide) + " a side)";
    }
    switch (header.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return std::to_string(header.bitsPerPixel) + " bits a pixel is not a bitmap depth";
    }
    if (header.pixelOffset < std::int64_t(kFileHeaderSize + header.infoSize) ||
        header.pixelOffset >= fileSize) {
        return "the bitmap's pixel data lies outside the file";
    }
    const std::int64_t dataSize = fileSize - header.pixelOffset;
    switch (header.compression) {
        case Plain:
        case BitFields: {
            const std::int64_t rowSize = (header.width * header.bitsPerPixel + 31) / 32 * 4;
            if (dataSize < rowSize * rows) {
                return "the bitmap is cut short (" + std::to_string(dataSize) + " of " +
                       std::to_string(rowSize * rows) + " bytes of pixels)";
            }
            return {};
        }
        case RunLength8:
        case RunLength4:
            if (header.width * rows * 4 > dataSize * kRunLengthGain)
                return "the bitmap declares more pixels than its data can hold";
            return {};
        default:
            return "unknown bitmap compression " + std::to_string(header.compression);
    }
}

bool plainTrueColour(const BitmapHeader& header) {
    return header.infoSize == 40 && header.compression == Plain &&
           (header.bitsPerPixel == 24 || header.bitsPerPixel == 32);
}

}  // namespace qv::converter
