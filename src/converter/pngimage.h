#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "converter/pngencoder.h"

namespace qv::converter {

// The rows of a 32-bit picture in memory, where they lie.
class ImageRows : public PixelRows {
public:
    explicit ImageRows(const QImage& image);
    const std::uint32_t* rows(int first, int count, std::uint32_t* room) const override;

private:
    const QImage& image_;
};

// Whether encodePng takes image: 32-bit pictures (what a capture is) up to
// kLargestPackedInMemory. Palette and grey pictures keep the toolkit's writer, which stores them
// as such.
bool encodesDirectly(const QImage& image);

// Encodes a picture encodesDirectly() takes as an 8-bit PNG: RGB for an opaque picture, RGBA
// for one with an alpha channel. On failure the result is empty and `error` says why.
QByteArray encodePng(const QImage& image, const PngSettings& settings, QString* error);

}  // namespace qv::converter
