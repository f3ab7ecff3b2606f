#include "output/imageformat.h"

namespace qv::output {

const std::array<ImageFormat, 4>& imageFormats() {
    static const std::array<ImageFormat, 4> formats{{
        {".bmp", "bmp", "Windows Bitmap (*.bmp)", "*.bmp", "bmp"},
        {".png", "image/png", "Portable Network Graphics (*.png)", "*.png", "png"},
        {".jpg", "image/jpeg", "Joint Photographic Experts Group  (*.jpg, *.jpeg)", "*.jpg", "jpg"},
        {".tif", "image/tiff", "Tag Image File Format (*.TIFF, *.tif)", "*.tif", "tif"},
    }};
    return formats;
}

const ImageFormat& imageFormatFor(const QString& extension) {
    for (const ImageFormat& f : imageFormats()) {
        if (f.extension == extension)
            return f;
    }
    return imageFormats()[0];
}

const ImageFormat& imageFormatForFilterIndex(int index) {
    if (index >= 1 && index <= int(imageFormats().size()))
        return imageFormats()[index - 1];
    return imageFormats()[0];
}

QString ImageFormat::qtFilter() const {
    // Qt separates the patterns in brackets by blanks only: "(*.jpg, *.jpeg)" would make
    // "*.jpg," a pattern that matches nothing.
    QString f = filterText;
    const qsizetype open = f.indexOf(u'(');
    if (open >= 0)
        f = f.left(open) + f.mid(open).remove(u',');
    return f;
}

}  // namespace qv::output
