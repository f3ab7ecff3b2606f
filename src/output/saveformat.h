#pragma once

#include <QString>
#include <array>

namespace qv::output {

// How a capture is saved in one of the four formats (the choice itself is the options'
// ImageFormat). Bitmaps are written directly; the others go through the converter program.
struct SaveFormat {
    QString extension;          // ".bmp", ".png", ".jpg", ".tif": what the format boxes show
    QString converterType;      // MIME type handed to the converter; "bmp" for a direct write
    QString filterText;         // the save-file dialog's filter for the format
    QString pattern;            // "*.bmp": the files the filter matches
    QString appendedExtension;  // what Save As puts behind the stem's dot

    bool direct() const { return converterType == QLatin1String("bmp"); }
    // "Name (*.x)" as the Qt file dialog takes it.
    QString qtFilter() const;
};

// In the order the format boxes list them.
const std::array<SaveFormat, 4>& saveFormats();

// The row of an extension text, compared exactly; any other text is the bitmap row.
const SaveFormat& saveFormatFor(const QString& extension);

// The row of a 1-based filter index of the save-file dialog; any other index is the bitmap row.
const SaveFormat& saveFormatForFilterIndex(int index);

}  // namespace qv::output
