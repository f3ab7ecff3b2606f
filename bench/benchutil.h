#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSize>
#include <QTextStream>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace qv::bench {

// The median of several runs of step, in milliseconds; after (not timed) runs after each.
inline double medianMs(int runs, const std::function<void()>& step,
                       const std::function<void()>& after = {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (after)
            after();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Benchmarks run offscreen unless the environment names another platform.
inline void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The count of runs argument index asks for (at least 1), or fallback without it.
inline int runsFromArgs(int argc, char* argv[], int index, int fallback) {
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

// Runs measure offscreen at 1920x1080 and then 3840x2160, as many runs as the first argument
// asks (15 without it); the exit status of the benchmark.
inline int measureAtDesktopSizes(int argc, char* argv[],
                                 const std::function<void(QSize, int, QTextStream&)>& measure) {
    preferOffscreen();
    QApplication app(argc, argv);
    const int runs = runsFromArgs(argc, argv, 1, 15);
    QTextStream out(stdout);
    measure({1920, 1080}, runs, out);
    measure({3840, 2160}, runs, out);
    return 0;
}

// A desktop-sized pattern with every pixel different from its neighbours.
inline QImage coordinatePattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x * 7, y * 3, (x ^ y) & 0xff);
    }
    return image;
}

// A 4K capture to print: a gradient under overlapping pale windows.
inline QImage printableCapture() {
    QImage image(3840, 2160, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 3840, 2160);
    g.setColorAt(0, QColor(40, 90, 140));
    g.setColorAt(1, QColor(220, 200, 160));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 40; ++i)
        p.fillRect(QRect(80 * i, 50 * i, 900, 600), QColor(230, 230, 230 - i * 3));
    return image;
}

}  // namespace qv::bench
