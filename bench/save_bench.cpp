// Saving a 1920x1080 capture as PNG: through the converter program (temporary bitmap,
// Quorvalline32, as the program saves) against one in-process QImageWriter save, for a
// desktop-like capture and real photographs. Prints milliseconds per save, the ratio and sizes.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "benchutil.h"
#include "output/imagesaver.h"
#include "platform/linux/qtprocess.h"
#include "platform/services.h"
#include "screens.h"

namespace {

// Something like a desktop: flat areas, text and gradients, which is what PNG meets.
QImage desktopLikeImage() {
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 140));
    QPainter p(&image);
    for (int i = 0; i < 12; ++i) {
        const QRect window(60 + i * 120, 40 + i * 60, 700, 480);
        QLinearGradient g(window.topLeft(), window.bottomRight());
        g.setColorAt(0, QColor(230, 230, 230));
        g.setColorAt(1, QColor(200, 210, 225));
        p.fillRect(window, g);
        p.fillRect(window.adjusted(0, 0, 0, -450), QColor(50, 60, 90));
        for (int line = 0; line < 20; ++line) {
            p.drawText(window.left() + 10, window.top() + 50 + line * 20,
                       QStringLiteral("Line %1 of a window with some text in it").arg(line));
        }
    }
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 7);
    qv::platform::Services services;
    services.process = std::make_unique<qv::platform::QtProcess>();
    qv::platform::ServicesScope scope(services);

    QTemporaryDir dir;
    std::vector<qv::bench::Screen> pictures{{"desktop-like", desktopLikeImage()}};
    for (qv::bench::Screen& photo : qv::bench::photographs())
        pictures.push_back(std::move(photo));
    const QString plainTarget = dir.filePath("plain.png");
    const QString convertedTarget = dir.filePath("converted.png");
    for (const qv::bench::Screen& picture : pictures) {
        const QImage& image = picture.image;
        const double plain = qv::bench::medianMs(runs, [&] {
            QImageWriter writer(plainTarget, "png");
            writer.write(image);
        });
        bool ok = true;
        const double converted = qv::bench::medianMs(runs, [&] {
            ok = ok &&
                 !qv::output::saveImage(image, convertedTarget, qv::output::saveFormatFor(".png"),
                                        QStringLiteral(QV_BIN_DIR));
        });
        if (!ok) {
            std::fprintf(stderr, "saving through the converter failed\n");
            return 1;
        }
        std::printf(
            "PNG 1920x1080 %-14s: in-process %.1f ms %.1f KB, through the converter %.1f ms "
            "%.1f KB, ratio %.2f\n",
            picture.name, plain, QFileInfo(plainTarget).size() / 1000.0, converted,
            QFileInfo(convertedTarget).size() / 1000.0, converted / plain);
    }
    return 0;
}
