#pragma once

#include <QString>
#include <array>

namespace qv::output {

// One of the four formats a capture is saved in. Bitmaps are written directly; the others
// go through the converter program.
struct ImageFormat {
    QString extension;      // ".bmp", ".png", ".jpg", ".tif": what the format boxes show
    QString converterType;  // MIME type handed to the converter; "bmp" for a direct write
    QString filterText;     // the save-file dialog's filter for the format
    QString pattern;
    QString appendedExtension;  // what Save As puts behind the stem's dot

    bool direct() const { return converterType == QLatin1String("bmp"); }
    // "Name (*.x)" as the Qt file dialog takes it.
    QString qtFilter() const;
};

// In the order the format boxes list them.
const std::array<ImageFormat, 4>& imageFormats();

// The row of an extension text, compared exactly; any other text is the bitmap row.
const ImageFormat& imageFormatFor(const QString& extension);

// The row of a 1-based filter index of the save-file dialog; any other index is the bitmap row.
const ImageFormat& imageFormatForFilterIndex(int index);

}  // namespace qv::output
