// The converter alone, on the synthetic screens and real photographs at 1920x1080 and 3840x2160:
// its PNG encoder in process against QImageWriter at default settings, and the whole converter
// program (start, bitmap read, encoding, checked write) for PNG, and at 1920x1080 for JPEG and
// TIFF: `bench_png_bench [runs] [converter folder]`.
// `bench_png_bench sweep [runs] [width height]` times every filter and deflate level of the
// encoder instead (levels up to 12 with adaptive filters), which is how its defaults were chosen.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "benchutil.h"
#include "converter/pngimage.h"
#include "output/imagesaver.h"
#include "screens.h"

namespace {

using qv::bench::medianMs;
using qv::converter::PngSettings;

QByteArray qtPng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

QByteArray ourPng(const QImage& image, const PngSettings& settings = {}) {
    QString error;
    return qv::converter::encodePng(image, settings, &error);
}

bool runConverter(const QString& folder, const QString& source, const char* mime,
                  const QString& target) {
    QProcess process;
    process.start(folder + QStringLiteral("/Quorvalline32"),
                  {source, QString::fromLatin1(mime), target, "80", "comingfromMirelda"});
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

void compare(int runs, const QString& folder, QSize size, QTextStream& out) {
    QTemporaryDir dir;
    out << "median of " << runs << " runs, " << size.width() << "x" << size.height() << "\n";
    for (const qv::bench::Screen& screen : qv::bench::screensAndPhotographs(size)) {
        const char* name = screen.name;
        const QImage& image = screen.image;
        QByteArray qt, ours;
        const double qtMs = medianMs(runs, [&] { qt = qtPng(image); });
        const double ourMs = medianMs(runs, [&] { ours = ourPng(image); });
        out << QStringLiteral(
                   "%1: QImageWriter %2 ms %3 KB | ours %4 ms %5 KB | x%6 time, "
                   "x%7 size\n")
                   .arg(QString::fromLatin1(name), -14)
                   .arg(qtMs, 0, 'f', 1)
                   .arg(qt.size() / 1000.0, 0, 'f', 1)
                   .arg(ourMs, 0, 'f', 1)
                   .arg(ours.size() / 1000.0, 0, 'f', 1)
                   .arg(ourMs / qtMs, 0, 'f', 2)
                   .arg(double(ours.size()) / qt.size(), 0, 'f', 3);
        // The bitmap the main program writes now, and one as the toolkit writes bitmaps.
        const QString capture = dir.filePath(QStringLiteral("capture.bmp"));
        const QString toolkit = dir.filePath(QStringLiteral("toolkit.bmp"));
        QFile file(capture);
        QString why;
        file.open(QIODevice::WriteOnly);
        qv::output::writeConverterBitmap(image, file, why);
        file.close();
        image.save(toolkit, "BMP");
        for (const char* mime : {"image/png", "image/jpeg", "image/tiff"}) {
            if (size.width() > 1920 && QByteArray(mime) != "image/png")
                break;
            const QString target = dir.filePath(QStringLiteral("out"));
            bool ok = true;
            const auto time = [&](const QString& source) {
                return medianMs(runs,
                                [&] { ok = runConverter(folder, source, mime, target) && ok; });
            };
            const double fromCapture = time(capture);
            const double fromToolkit = time(toolkit);
            out << QStringLiteral(
                       "    converter program %1: %2 ms from the capture bitmap, %3 ms from "
                       "the toolkit's, %4 KB%5\n")
                       .arg(QString::fromLatin1(mime), -10)
                       .arg(fromCapture, 0, 'f', 1)
                       .arg(fromToolkit, 0, 'f', 1)
                       .arg(QFileInfo(target).size() / 1000.0, 0, 'f', 1)
                       .arg(ok ? "" : " FAILED");
        }
        out.flush();
    }
}

void sweep(int runs, QSize size, QTextStream& out) {
    using qv::converter::PngFilter;
    const std::pair<PngFilter, const char*> filters[] = {
        {PngFilter::None, "none"},   {PngFilter::Sub, "sub"},
        {PngFilter::Up, "up"},       {PngFilter::Average, "avg"},
        {PngFilter::Paeth, "paeth"}, {PngFilter::Adaptive, "adaptive"}};
    for (const qv::bench::Screen& screen : qv::bench::screensAndPhotographs(size)) {
        const char* name = screen.name;
        const QImage& image = screen.image;
        const QByteArray qt = qtPng(image);
        out << name << " (QImageWriter " << qt.size() / 1000.0 << " KB)\n";
        for (const auto& [filter, filterName] : filters) {
            for (int level = 1; level <= (filter == PngFilter::Adaptive ? 12 : 9); ++level) {
                QByteArray png;
                PngSettings settings;
                settings.filter = filter;
                settings.level = level;
                const double ms = medianMs(runs, [&] { png = ourPng(image, settings); });
                out << QStringLiteral("  %1 level %2: %3 ms %4 KB%5\n")
                           .arg(QString::fromLatin1(filterName), -8)
                           .arg(level)
                           .arg(ms, 6, 'f', 1)
                           .arg(png.size() / 1000.0, 7, 'f', 1)
                           .arg(png.size() <= qt.size() ? "" : "  larger");
                out.flush();
            }
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const bool sweeping = argc > 1 && QByteArray(argv[1]) == "sweep";
    const int runsArg = sweeping ? 2 : 1;
    const int runs = qv::bench::runsFromArgs(argc, argv, runsArg, 7);
    const QString folder =
        !sweeping && argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(QV_BIN_DIR);
    if (sweeping) {
        const QSize size = argc > 4 ? QSize(atoi(argv[3]), atoi(argv[4])) : QSize(1920, 1080);
        sweep(runs, size, out);
    } else {
        for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
            compare(runs, folder, size, out);
    }
    return 0;
}
