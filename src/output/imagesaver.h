#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QFileDevice;

namespace qv::platform {
class MemoryFile;
}

#include "output/saveerror.h"
#include "output/saveformat.h"

namespace qv::output {

// How long a conversion may take before the converter is stopped and the save fails.
inline constexpr int kConverterTimeoutMs = 60000;

// The converter program beside the main program.
QString converterPath(const QString& programFolder);

// Writes image as a Windows bitmap; the file appears whole or not at all.
std::optional<SaveError> writeBitmap(const QImage& image, const QString& path);

// Writes image into file as the bitmap the converter reads: a capture's rows as they lie in
// memory, in one write; other formats as the toolkit writes bitmaps. False, with why, on failure.
bool writeConverterBitmap(const QImage& image, QFileDevice& file, QString& why);

// Converts the bitmap at source into target with the converter, waiting at most
// kConverterTimeoutMs. A converter that cannot start, fails, hangs or leaves no target is a
// failed save. The arguments go to the converter as a list: blanks and quotes need no care.
// source may be the path of handedOver, a memory file the converter gets.
std::optional<SaveError> runImageConverter(const QString& programFolder, const QString& source,
                                           const QString& mimeType, const QString& target,
                                           const platform::MemoryFile* handedOver = nullptr);

// Saves image at target in format: bitmaps directly, the rest through a temporary bitmap of
// its own and the converter. The temporary bitmap is a memory file where the system has them,
// else a file in the temporary folder (removed on every path).
std::optional<SaveError> saveImage(const QImage& image, const QString& target,
                                   const SaveFormat& format, const QString& programFolder);

}  // namespace qv::output
