#include "converter/pngimage.h"

namespace qv::converter {

namespace {

PictureShape shapeOf(const QImage& image) {
    return PictureShape{image.width(), image.height(), image.format() == QImage::Format_ARGB32,
                        image.dotsPerMeterX(), image.dotsPerMeterY()};
}

bool is32Bit(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

}  // namespace

ImageRows::ImageRows(const QImage& image) : PixelRows(shapeOf(image)), image_(image) {}

const std::uint32_t* ImageRows::rows(int first, int, std::uint32_t*) const {
    // 32-bit rows lie one after the other with no padding.
    return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(first));
}

bool encodesDirectly(const QImage& image) {
    return is32Bit(image) && packsInMemory(shapeOf(image));
}

QByteArray encodePng(const QImage& image, const PngSettings& settings, QString* error) {
    std::string problem;
    const PngBytes png = encodePng(ImageRows(image), settings, &problem);
    if (!png.data) {
        *error = QString::fromStdString(problem);
        return {};
    }
    return QByteArray(reinterpret_cast<const char*>(png.data.get()), qsizetype(png.size));
}

}  // namespace qv::converter
