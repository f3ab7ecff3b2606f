#include "output/saveformat.h"

namespace qv::output {

const std::array<SaveFormat, 4>& saveFormats() {
    static const std::array<SaveFormat, 4> formats{{
        {".bmp", "bmp", "Windows Bitmap (*.bmp)", "*.bmp", "bmp"},
        {".png", "image/png", "Portable Network Graphics (*.png)", "*.png", "png"},
        {".jpg", "image/jpeg", "Joint Photographic Experts Group  (*.jpg, *.jpeg)", "*.jpg", "jpg"},
        {".tif", "image/tiff", "Tag Image File Format (*.TIFF, *.tif)", "*.tif", "tif"},
    }};
    return formats;
}

const SaveFormat& saveFormatFor(const QString& extension) {
    for (const SaveFormat& f : saveFormats()) {
        if (f.extension == extension)
            return f;
    }
    return saveFormats()[0];
}

const SaveFormat& saveFormatForFilterIndex(int index) {
    if (index >= 1 && index <= int(saveFormats().size()))
        return saveFormats()[index - 1];
    return saveFormats()[0];
}

QString SaveFormat::qtFilter() const {
    // Qt separates the patterns in brackets by blanks only: "(*.jpg, *.jpeg)" would make
    // "*.jpg," a pattern that matches nothing.
    QString f = filterText;
    const qsizetype open = f.indexOf(u'(');
    if (open >= 0)
        f = f.left(open) + f.mid(open).remove(u',');
    return f;
}

}  // namespace qv::output
