#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <functional>

#include "converter/converter.h"
#include "converter/pngimage.h"
#include "fakes/fakeplatform.h"
#include "output/imagesaver.h"
#include "output/saveformat.h"
#include "support/inprocessconverter.h"

namespace {

using qv::converter::PngFilter;

quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    return x ^ (x >> 16);
}

// The contents a screen shows, each stressing the filters differently.
QImage uiContent(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 140));
    QPainter p(&image);
    for (int i = 0; i < 6; ++i) {
        const QRect window(i * size.width() / 7, i * size.height() / 9, size.width() / 2 + 3,
                           size.height() / 2 + 5);
        p.fillRect(window, QColor(235, 235, 238));
        p.fillRect(window.adjusted(0, 0, 0, -window.height() + 12), QColor(50, 60, 90));
        p.drawText(window.adjusted(4, 14, 0, 0), QStringLiteral("Some text of window %1").arg(i));
    }
    return image;
}

QImage photoContent(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int grain = int(mix(quint32(y * 131071 + x)) % 9) - 4;
            const auto channel = [&](int base) { return std::clamp(base + grain, 0, 255); };
            image.setPixel(x, y,
                           qRgb(channel(x * 200 / size.width() + 20),
                                channel(y * 200 / size.height() + 30), channel(128)));
        }
    }
    return image;
}

QImage busyContent(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, mix(quint32(y * 65599 + x)) | 0xFF000000u);
    }
    return image;
}

// A wallpaper of smooth light; `share` percent of its pixels carry a grain of `grain` levels
// either way.
QImage gradientContent(QSize size, int grain, int share = 100) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const double light = 0.5 + 0.3 * std::sin(x / 150.0) * std::cos(y / 97.0);
            const quint32 random = mix(quint32(y * 40503 + x));
            const bool grainy = grain > 0 && int(random % 100) < share;
            const int noise = grainy ? int(random / 100 % (2 * grain + 1)) - grain : 0;
            const auto channel = [&](double base) {
                return std::clamp(int(base * light * 255) + noise, 0, 255);
            };
            image.setPixel(x, y, qRgb(channel(1.0), channel(0.8), channel(0.6)));
        }
    }
    return image;
}

struct Content {
    const char* name;
    QImage (*make)(QSize);
};
const Content kContents[] = {{"ui", uiContent}, {"photo", photoContent}, {"busy", busyContent}};

QImage asRgb32(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// The first pixel that differs, or an empty text when every pixel is the same.
QString firstDifference(const QImage& want, const QImage& got) {
    if (want.size() != got.size())
        return QStringLiteral("size %1x%2").arg(got.width()).arg(got.height());
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            if (want.pixel(x, y) != got.pixel(x, y)) {
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(got.pixel(x, y), 8, 16)
                    .arg(want.pixel(x, y), 8, 16);
            }
        }
    }
    return {};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A plain bitmap under the 40-byte header; the fourth byte of 32-bit pixels is set to junk,
// which readers must not take for transparency.
QByteArray plainBitmap(const QImage& image, int bits, bool topDown) {
    const int width = image.width(), height = image.height();
    const int rowSize = (width * bits / 8 + 3) / 4 * 4;
    QByteArray bytes(54 + qsizetype(rowSize) * height, '\0');
    auto* data = reinterpret_cast<uchar*>(bytes.data());
    data[0] = 'B';
    data[1] = 'M';
    qToLittleEndian(quint32(bytes.size()), data + 2);
    qToLittleEndian(quint32(54), data + 10);
    qToLittleEndian(quint32(40), data + 14);
    qToLittleEndian(qint32(width), data + 18);
    qToLittleEndian(qint32(topDown ? -height : height), data + 22);
    qToLittleEndian(quint16(1), data + 26);
    qToLittleEndian(quint16(bits), data + 28);
    for (int y = 0; y < height; ++y) {
        uchar* row = data + 54 + qsizetype(rowSize) * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            uchar* at = row + x * bits / 8;
            at[0] = uchar(qBlue(p));
            at[1] = uchar(qGreen(p));
            at[2] = uchar(qRed(p));
            if (bits == 32)
                at[3] = uchar(x * 37 + y);
        }
    }
    return bytes;
}

class PngRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { qv::testsupport::runConverterInProcess(fake_.process()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    qv::converter::Result toPng(const QString& source, const QString& target) const {
        return qv::converter::convert(
            {source, "image/png", target, "80", QLatin1String(qv::converter::kMarker)});
    }

    qv::fakes::FakePlatform fake_;
    QTemporaryDir dir_;
};

// Both sources the converter meets: the program's own temporary bitmap (32-bit rows, top row
// first) and a 24-bit one as other tools write it.
TEST_F(PngRoundTripTest, EveryContentAndSizeComesBackExactly) {
    const QSize sizes[] = {{1, 1}, {3, 5}, {97, 61}, {8000, 10}, {1921, 1081}};
    const QString target = path("shot.png");
    for (const Content& content : kContents) {
        for (const QSize size : sizes) {
            const QImage image = content.make(size);
            const std::string what = std::string(content.name) + " " +
                                     std::to_string(size.width()) + "x" +
                                     std::to_string(size.height());
            ASSERT_EQ(qv::output::saveImage(image, target, qv::output::saveFormatFor(".png"),
                                            QStringLiteral("/unused")),
                      std::nullopt)
                << what;
            const QByteArray png = readAll(target);
            ASSERT_GT(png.size(), 26) << what;
            EXPECT_EQ(png[24], 8) << what << ": bits a channel";
            EXPECT_EQ(png[25], 2) << what << ": colour type, RGB";
            EXPECT_EQ(firstDifference(image, asRgb32(QImage(target))), QString()) << what;

            ASSERT_TRUE(image.save(path("other.bmp"), "BMP"));
            const qv::converter::Result r = toPng(path("other.bmp"), target);
            ASSERT_EQ(r.exitCode, 0) << what << ": " << qPrintable(r.message);
            EXPECT_EQ(firstDifference(image, asRgb32(QImage(target))), QString()) << what;
        }
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), (QStringList{"other.bmp", "shot.png"}));
}

// ImageMagick decodes with its own code path: its raw pixels must be ours byte for byte.
TEST_F(PngRoundTripTest, ImageMagickReadsThePixelsBack) {
    for (const Content& content : kContents) {
        const QImage image = content.make({333, 77});
        ASSERT_EQ(qv::output::saveImage(image, path("shot.png"), qv::output::saveFormatFor(".png"),
                                        QString()),
                  std::nullopt);
        QProcess magick;
        magick.start("convert", {path("shot.png"), "-depth", "8", "rgb:-"});
        ASSERT_TRUE(magick.waitForFinished(60000)) << "ImageMagick's convert did not run";
        const QByteArray raw = magick.readAllStandardOutput();
        const QImage back = QImage(reinterpret_cast<const uchar*>(raw.constData()), 333, 77,
                                   333 * 3, QImage::Format_RGB888);
        ASSERT_EQ(raw.size(), 333 * 77 * 3) << content.name;
        EXPECT_EQ(firstDifference(image, asRgb32(back)), QString()) << content.name;
    }
}

// Every filter decodes to the same pixels, alpha included, and the resolution is kept.
TEST(PngEncoder, EachFilterKeepsEveryPixelAndTheResolution) {
    QImage opaque = busyContent({61, 17});
    opaque.setDotsPerMeterX(3780);
    opaque.setDotsPerMeterY(2835);
    QImage translucent = photoContent({61, 17}).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < translucent.height(); ++y) {
        for (int x = 0; x < translucent.width(); ++x) {
            const QRgb p = translucent.pixel(x, y);
            translucent.setPixel(x, y, qRgba(qRed(p), qGreen(p), qBlue(p), (x * 13 + y) & 0xFF));
        }
    }
    for (const QImage& image : {opaque, translucent}) {
        ASSERT_TRUE(qv::converter::encodesDirectly(image));
        for (int f = 0; f <= int(PngFilter::Adaptive) + 1; ++f) {
            // The last round is adaptive filtering rated by entropy.
            const bool entropy = f > int(PngFilter::Adaptive);
            QString error;
            const QByteArray png = qv::converter::encodePng(
                image,
                {.filter = entropy ? PngFilter::Adaptive : PngFilter(f),
                 .level = 6,
                 .measure = entropy ? qv::converter::RowMeasure::Entropy
                                    : qv::converter::RowMeasure::Magnitude},
                &error);
            ASSERT_FALSE(png.isEmpty()) << f << ": " << qPrintable(error);
            const QImage back = QImage::fromData(png, "PNG");
            EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel()) << f;
            EXPECT_EQ(firstDifference(image, back.convertToFormat(image.format())), QString())
                << "filter " << f;
            EXPECT_EQ(back.dotsPerMeterX(), image.dotsPerMeterX()) << f;
            EXPECT_EQ(back.dotsPerMeterY(), image.dotsPerMeterY()) << f;
        }
    }
    EXPECT_FALSE(qv::converter::encodesDirectly(opaque.convertToFormat(QImage::Format_Indexed8)));
}

// The rows are packed in as many pieces as there are cores, so every count must give the same
// pixels to two decoders: 1 and 2 pieces, an odd count, many, and more pieces than rows.
TEST(PngEncoder, AnyCountOfPiecesDecodesExactlyInTwoDecoders) {
    const QSize sizes[] = {{1, 1}, {3, 5}, {97, 61}, {640, 480}};
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pieces.png"));
    for (const Content& content : kContents) {
        for (const QSize size : sizes) {
            for (const bool alpha : {false, true}) {
                const QImage image = alpha
                                         ? content.make(size).convertToFormat(QImage::Format_ARGB32)
                                         : content.make(size);
                for (const int pieces : {1, 2, 3, 7, 64}) {
                    const std::string what =
                        std::string(content.name) + " " + std::to_string(size.width()) + "x" +
                        std::to_string(size.height()) + (alpha ? " alpha, " : ", ") +
                        std::to_string(pieces) + " pieces";
                    qv::converter::PngSettings settings;
                    settings.pieces = pieces;
                    QString error;
                    const QByteArray png = qv::converter::encodePng(image, settings, &error);
                    ASSERT_FALSE(png.isEmpty()) << what << ": " << qPrintable(error);
                    EXPECT_EQ(
                        firstDifference(
                            image, QImage::fromData(png, "PNG").convertToFormat(image.format())),
                        QString())
                        << what;
                    if (size.width() * size.height() > 5000 && pieces != 3)
                        continue;  // ImageMagick is slow to start: the small ones and 3 pieces
                    QFile out(file);
                    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
                    out.write(png);
                    out.close();
                    QProcess magick;
                    magick.start("convert", {file, "-depth", "8", "rgb:-"});
                    ASSERT_TRUE(magick.waitForFinished(60000)) << "ImageMagick did not run";
                    const QByteArray raw = magick.readAllStandardOutput();
                    ASSERT_EQ(raw.size(), size.width() * size.height() * 3) << what;
                    const QImage back(reinterpret_cast<const uchar*>(raw.constData()), size.width(),
                                      size.height(), size.width() * 3, QImage::Format_RGB888);
                    EXPECT_EQ(firstDifference(asRgb32(image), asRgb32(back)), QString()) << what;
                }
            }
        }
    }
}

// The encoder was chosen for speed on condition that no file grows against the toolkit's writer.
TEST(PngEncoder, FilesAreNoLargerThanTheToolkitsWriterMakes) {
    const QSize size(1280, 720);
    const std::pair<const char*, QImage> pictures[] = {
        {"ui", uiContent(size)},
        {"photo", photoContent(size)},
        {"busy", busyContent(size)},
        {"smooth gradient", gradientContent(size, 0)},
        {"light grain", gradientContent(size, 2)},
        {"sparse grain", gradientContent(size, 1, 20)},
        {"heavy grain", gradientContent(size, 30)},
    };
    for (const auto& [name, image] : pictures) {
        QByteArray theirs;
        QBuffer buffer(&theirs);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, "PNG"));
        QString error;
        const QByteArray ours = qv::converter::encodePng(image, {}, &error);
        ASSERT_FALSE(ours.isEmpty()) << qPrintable(error);
        EXPECT_LE(ours.size(), theirs.size()) << name;
    }
}

// Whether the fourth byte of every pixel in memory is opaque, which the toolkit assumes of a
// 32-bit picture without alpha (pixel() hides it).
bool everyFourthByteOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] >> 24 != 0xFF)
                return false;
        }
    }
    return true;
}

// Plain 24- and 32-bit rows are read by our own loop, and rows of 32 bits from a file in bands
// side by side; both must agree with the toolkit's reader on row order, row padding and the
// fourth byte, in one band and in many, from memory and from a file.
TEST(BitmapReader, PlainRowsReadAsTheToolkitReadsThem) {
    QTemporaryDir dir;
    for (const int bits : {24, 32}) {
        for (const bool topDown : {false, true}) {
            for (const QSize size : {QSize(1, 7), QSize(2, 7), QSize(3, 7), QSize(5, 7),
                                     QSize(97, 7), QSize(1921, 301)}) {
                const QByteArray bytes = plainBitmap(busyContent(size), bits, topDown);
                QBuffer theirs;
                theirs.setData(bytes);
                const QImage want = QImageReader(&theirs, "bmp").read();
                ASSERT_FALSE(want.isNull());
                QBuffer memory;
                memory.setData(bytes);
                QFile file(dir.filePath(QStringLiteral("source.bmp")));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write(bytes);
                file.close();
                for (QIODevice* source :
                     {static_cast<QIODevice*>(&memory), static_cast<QIODevice*>(&file)}) {
                    ASSERT_TRUE(source->open(QIODevice::ReadOnly));
                    QString error;
                    const QImage image = qv::converter::readBitmap(*source, &error);
                    source->close();
                    const std::string what =
                        std::to_string(bits) + " bits, top down " + std::to_string(topDown) + ", " +
                        std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                        (source == &file ? " from a file" : "");
                    EXPECT_EQ(firstDifference(asRgb32(want), image), QString()) << what;
                    EXPECT_TRUE(everyFourthByteOpaque(image)) << what;
                }
            }
        }
    }
}

TEST_F(PngRoundTripTest, ACutOrCorruptSourceGivesTheErrorLineAndNoTarget) {
    const QByteArray sound = plainBitmap(uiContent({101, 40}), 32, true);
    const auto edit = [&](const std::function<void(QByteArray&)>& change) {
        QByteArray bytes = sound;
        change(bytes);
        return bytes;
    };
    const struct {
        const char* why;
        QByteArray bytes;
    } cases[] = {
        {"cut inside the header", sound.left(30)},
        {"cut inside the pixels", sound.left(sound.size() / 2)},
        {"one byte short", sound.left(sound.size() - 1)},
        {"height larger than the rows",
         edit([](QByteArray& b) { qToLittleEndian(qint32(-41), b.data() + 22); })},
        {"pixels beyond the end",
         edit([](QByteArray& b) { qToLittleEndian(quint32(1 << 30), b.data() + 10); })},
        {"zero width", edit([](QByteArray& b) { qToLittleEndian(qint32(0), b.data() + 18); })},
    };
    const QString source = path("source.bmp");
    const QString target = path("shot.png");
    for (const auto& c : cases) {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const qv::converter::Result r = toPng(source, target);
        EXPECT_EQ(r.exitCode, qv::converter::UnreadableSource) << c.why;
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("cannot read the bitmap \"") + source))
            << c.why << ": " << qPrintable(r.message);
        EXPECT_FALSE(r.message.contains(u'\n')) << c.why;
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"source.bmp"}) << c.why;
    }
}

}  // namespace
