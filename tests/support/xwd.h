#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

namespace qv::testsupport {

// The root window as `xwd -root` reads it on the current DISPLAY, for comparing our grabs
// with an independent reader. A null image when xwd fails or the depth is not true colour.
QImage xwdRoot();
// One window (its id in decimal or 0x hex) as `xwd -id` reads it, likewise.
QImage xwdWindow(const QString& windowId);
// The picture of an XWD file's contents, likewise; and of a file.
QImage xwdImage(const QByteArray& data);
QImage xwdFile(const QString& path);

// How many pixels of image match.
inline int countPixels(const QImage& image, const std::function<bool(QColor)>& match) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += match(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

}  // namespace qv::testsupport
