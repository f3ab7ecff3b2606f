#pragma once

#include <QByteArray>

#include "platform/clipboard.h"

namespace qv::platform {

// The memory one decoded picture may take: half of what the system has available now, so
// that a big picture neither pushes the desktop into swapping nor the program out of memory.
qint64 memoryForOnePicture();

// Decodes a picture from its encoded bytes (format: a toolkit format name, a hint only; the
// content decides). The decoder gets the memory the picture's declared size needs, however
// far above the toolkit's usual limit, as long as it stays within memoryLimit bytes.
ClipboardPicture decodePicture(const QByteArray& encoded, const QByteArray& format,
                               qint64 memoryLimit);
// A picture decoded elsewhere; a null one could not be read.
ClipboardPicture decodedPicture(const QImage& image);

}  // namespace qv::platform
