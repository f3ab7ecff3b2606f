#include "support/xwd.h"

#include <QDataStream>
#include <QFile>
#include <QProcess>

namespace qv::testsupport {

namespace {

QImage readXwd(const QStringList& arguments) {
    QProcess xwd;
    xwd.start(QStringLiteral("xwd"), arguments);
    if (!xwd.waitForFinished(10000))
        return {};
    return xwdImage(xwd.readAllStandardOutput());
}

}  // namespace

QImage xwdImage(const QByteArray& data) {
    QDataStream in(data);
    in.setByteOrder(QDataStream::BigEndian);
    quint32 h[25];
    for (quint32& v : h)
        in >> v;
    const quint32 headerSize = h[0], width = h[4], height = h[5], byteOrder = h[7];
    // Xvfb at depth 24 packs three bytes a pixel yet pads each row to four bytes a pixel.
    const quint32 bytesPerPixel = h[11] / 8, bytesPerLine = h[12], ncolors = h[19];
    if (bytesPerPixel < 3 ||
        data.size() < qsizetype(headerSize + ncolors * 12 + quint64(bytesPerLine) * height)) {
        return {};
    }
    const char* pixels = data.constData() + headerSize + ncolors * 12;
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(pixels + y * bytesPerLine);
        for (quint32 x = 0; x < width; ++x) {
            const uchar* p = row + bytesPerPixel * x;
            const quint32 v = byteOrder == 0 ? p[0] | p[1] << 8 | p[2] << 16
                                             : p[bytesPerPixel - 1] | p[bytesPerPixel - 2] << 8 |
                                                   p[bytesPerPixel - 3] << 16;
            image.setPixel(int(x), int(y), 0xff000000 | v);
        }
    }
    return image;
}

QImage xwdRoot() {
    return readXwd({"-root", "-silent"});
}

QImage xwdWindow(const QString& windowId) {
    return readXwd({"-id", windowId, "-silent"});
}

QImage xwdFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return xwdImage(file.readAll());
}

}  // namespace qv::testsupport
