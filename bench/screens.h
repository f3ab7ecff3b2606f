#pragma once

// Deterministic screen contents for the saving benchmarks: what a PNG of a screen meets.
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace qv::bench {

// A small fixed pseudo-random sequence, so every run paints the same pixels.
class Sequence {
public:
    explicit Sequence(uint32_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int n) { return int(next() % uint32_t(n)); }

private:
    uint32_t state_;
};

// Windows with title bars, menus, text and buttons over a flat desktop.
inline QImage uiScreenshot(QSize size = {1920, 1080}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 140));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    Sequence random(7);
    for (int i = 0; i < 12; ++i) {
        const QRect window(60 + i * 120, 40 + i * 60, 700, 480);
        QLinearGradient g(window.topLeft(), window.bottomRight());
        g.setColorAt(0, QColor(240, 240, 240));
        g.setColorAt(1, QColor(225, 228, 235));
        p.fillRect(window, g);
        p.fillRect(window.adjusted(0, 0, 0, -450), QColor(50, 60, 90));
        p.setPen(Qt::white);
        p.drawText(window.left() + 10, window.top() + 20, QStringLiteral("Window %1").arg(i));
        p.setPen(Qt::black);
        for (int line = 0; line < 20; ++line) {
            p.drawText(window.left() + 10, window.top() + 50 + line * 20,
                       QStringLiteral("Line %1 of a window with some text in it, %2")
                           .arg(line)
                           .arg(random.next()));
        }
        for (int b = 0; b < 3; ++b) {
            const QRect button(window.right() - 90 * (b + 1), window.bottom() - 36, 80, 26);
            p.fillRect(button, QColor(210, 215, 225));
            p.drawRect(button);
            p.drawText(button, Qt::AlignCenter, QStringLiteral("Button"));
        }
    }
    p.fillRect(QRect(0, size.height() - 32, size.width(), 32), QColor(30, 30, 35));
    return image;
}

// Terminal windows side by side, full of monospace text (listings, logs, a prompt) in a few
// colours on a dark background, with title bars and a panel: the screen a developer saves most.
inline QImage terminals(QSize size = {1920, 1080}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(45, 45, 48));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(14);
    p.setFont(font);
    const int lineHeight = 17;
    const QColor colours[] = {QColor(204, 204, 204), QColor(98, 160, 234), QColor(138, 226, 52),
                              QColor(252, 233, 79), QColor(239, 41, 41)};
    const char* words[] = {"drwxr-xr-x", "build",       "src",           "-rw-r--r--", "main.cpp",
                           "make[2]:",   "Compiling",   "warning:",      "error:",     "Linking",
                           "CXX",        "ok",          "root",          "1024",       "Dec",
                           "12:34",      "./configure", "--prefix=/usr", "tests"};
    Sequence random(31);
    const int columns = size.width() >= 3000 ? 3 : 2;
    const int rows = 2;
    const int panel = 28;
    const int width = size.width() / columns, height = (size.height() - panel) / rows;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QRect window(c * width + 4, panel + r * height + 4, width - 8, height - 8);
            p.fillRect(window, QColor(23, 20, 33));
            p.fillRect(QRect(window.topLeft(), QSize(window.width(), 30)), QColor(53, 53, 53));
            p.setPen(QColor(220, 220, 220));
            p.drawText(QRect(window.topLeft(), QSize(window.width(), 30)), Qt::AlignCenter,
                       QStringLiteral("user@host: ~/project/%1").arg(c * rows + r));
            for (int y = window.top() + 30 + lineHeight; y < window.bottom() - 4; y += lineHeight) {
                int x = window.left() + 6;
                // Some lines short, some wrapping to the window's edge, a few empty.
                const int count = random.below(10) == 0 ? 0 : 1 + random.below(14);
                for (int w = 0; w < count; ++w) {
                    const QString word = QString::fromLatin1(words[random.below(19)]);
                    const int advance = (word.size() + 1) * 8;
                    if (x + advance > window.right())
                        break;
                    p.setPen(colours[random.below(8) < 5 ? 0 : random.below(5)]);
                    p.drawText(x, y, word);
                    x += advance;
                }
            }
        }
    }
    p.fillRect(QRect(0, 0, size.width(), panel), QColor(0, 0, 0));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size.width(), panel), Qt::AlignCenter, QStringLiteral("12:34"));
    return image;
}

// A photograph as wallpaper: smooth light with fine grain, under a few translucent windows.
inline QImage photoLike(QSize size = {1920, 1080}) {
    QImage image(size, QImage::Format_RGB32);
    Sequence random(11);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double u = double(x) / size.width(), v = double(y) / size.height();
            const double light = 0.5 + 0.25 * std::sin(u * 7.0 + v * 3.0) * std::cos(v * 5.0);
            const int grain = random.below(13) - 6;
            const auto channel = [&](double base) {
                return std::clamp(int(base * light * 255) + grain, 0, 255);
            };
            row[x] = qRgb(channel(0.9 + 0.1 * u), channel(0.7 + 0.3 * v), channel(1.0 - 0.4 * u));
        }
    }
    QPainter p(&image);
    for (int i = 0; i < 8; ++i) {
        QRadialGradient g(QPointF(random.below(size.width()), random.below(size.height())), 300);
        g.setColorAt(0, QColor(255, 230, 180, 120));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(image.rect(), g);
    }
    p.fillRect(QRect(200, 150, 800, 500), QColor(255, 255, 255, 200));
    p.drawText(QRect(220, 170, 760, 460), Qt::TextWordWrap,
               QStringLiteral("A photo viewer over the wallpaper. ").repeated(40));
    return image;
}

// Everything changing every few pixels: dense coloured text, checkers and dithered lines.
inline QImage busyPattern(QSize size = {1920, 1080}) {
    QImage image(size, QImage::Format_RGB32);
    Sequence random(23);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const bool checker = ((x / 3) ^ (y / 3)) & 1;
            row[x] = checker ? qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF) : qRgb(20, 20, 28);
        }
    }
    QPainter p(&image);
    for (int i = 0; i < 400; ++i) {
        p.setPen(QColor::fromRgb(random.next() | 0xFF000000u));
        p.drawText(random.below(size.width()), random.below(size.height()),
                   QStringLiteral("busy %1 text %2").arg(random.next()).arg(i));
    }
    for (int i = 0; i < 200; ++i) {
        p.setPen(QColor::fromRgb(random.next() | 0xFF000000u));
        p.drawLine(random.below(size.width()), random.below(size.height()),
                   random.below(size.width()), random.below(size.height()));
    }
    return image;
}

struct Screen {
    const char* name;
    QImage image;
};

inline std::vector<Screen> screens(QSize size = {1920, 1080}) {
    return {{"UI screenshot", uiScreenshot(size)},
            {"terminals", terminals(size)},
            {"photo-like", photoLike(size)},
            {"busy pattern", busyPattern(size)}};
}

// Real photographs as a wallpaper fills a screen: scaled smoothly to cover it, centred. A
// grainy close-up of wood, a detailed meadow and a soft bokeh, from Debian's mate-backgrounds,
// which bench/photos.sh installs when they are missing. None when they cannot be had.
inline std::vector<Screen> photographs(QSize size = {1920, 1080}) {
    const std::pair<const char*, const char*> files[] = {
        {"photo: wood", "Wood.jpg"},
        {"photo: meadow", "LadyBird.jpg"},
        {"photo: bokeh", "TwoWings.jpg"},
    };
    const QString folder = QStringLiteral("/usr/share/backgrounds/mate/nature/");
    if (!QFile::exists(folder + QLatin1String(files[0].second)))
        std::system("bash " QV_SOURCE_DIR "/bench/photos.sh");
    std::vector<Screen> photos;
    for (const auto& [name, file] : files) {
        const QImage photo(folder + QLatin1String(file));
        if (photo.isNull())
            continue;
        const QImage covering =
            photo.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        photos.push_back({name, covering
                                    .copy(QRect(QPoint((covering.width() - size.width()) / 2,
                                                       (covering.height() - size.height()) / 2),
                                                size))
                                    .convertToFormat(QImage::Format_RGB32)});
    }
    return photos;
}

// The synthetic screens and the photographs.
inline std::vector<Screen> screensAndPhotographs(QSize size = {1920, 1080}) {
    std::vector<Screen> all = screens(size);
    for (Screen& photo : photographs(size))
        all.push_back(std::move(photo));
    return all;
}

}  // namespace qv::bench
