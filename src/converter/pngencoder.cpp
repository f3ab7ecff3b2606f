#include "converter/pngencoder.h"

#include <libdeflate.h>

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

#include "converter/piecedeflate.h"
#include "converter/sidebyside.h"

namespace qv::converter {

namespace {

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// A pixel of a 32-bit picture is one native word 0xAARRGGBB.
void toRgb(const uchar* from, int width, uchar* to) {
    const auto* pixels = reinterpret_cast<const quint32*>(from);
    for (int x = 0; x < width; ++x, to += 3) {
        const quint32 p = pixels[x];
        to[0] = uchar(p >> 16);
        to[1] = uchar(p >> 8);
        to[2] = uchar(p);
    }
}

void toRgba(const uchar* from, int width, uchar* to) {
    const auto* pixels = reinterpret_cast<const quint32*>(from);
    for (int x = 0; x < width; ++x, to += 4) {
        const quint32 p = pixels[x];
        to[0] = uchar(p >> 16);
        to[1] = uchar(p >> 8);
        to[2] = uchar(p);
        to[3] = uchar(p >> 24);
    }
}

int channelsOf(const QImage& image) {
    return image.format() == QImage::Format_ARGB32 ? 4 : 3;
}

qint64 filteredSize(const QImage& image) {
    return (qint64(image.width()) * channelsOf(image) + 1) * image.height();
}

// The file in memory, chunk by chunk.
class PngWriter {
public:
    explicit PngWriter(qsizetype reserve) {
        png_.reserve(reserve);
        png_.append("\x89PNG\r\n\x1a\n", 8);
    }
    void chunk(const char type[4], const uchar* data, quint32 size) {
        uchar* into = open(type, size);
        if (size > 0)
            std::memcpy(into, data, size);
        close(size);
    }
    // Room for a chunk of at most capacity bytes, filled in place; close() gives its size.
    uchar* open(const char type[4], qsizetype capacity) {
        start_ = png_.size();
        png_.resize(start_ + 8 + capacity);  // the new bytes are not cleared
        std::memcpy(png_.data() + start_ + 4, type, 4);
        return reinterpret_cast<uchar*>(png_.data()) + start_ + 8;
    }
    void close(quint32 size) {
        png_.resize(start_ + 8 + size);
        auto* at = reinterpret_cast<uchar*>(png_.data()) + start_;
        qToBigEndian(size, at);
        uchar crc[4];
        qToBigEndian(quint32(libdeflate_crc32(0, at + 4, size + 4)), crc);
        png_.append(reinterpret_cast<const char*>(crc), 4);
    }
    QByteArray take() { return std::move(png_); }

private:
    QByteArray png_;
    qsizetype start_ = 0;
};

// Converts and filters the rows from first to end into out, row `first` first.
void filterBand(const QImage& image, PngFilter filter, RowMeasure measure, int first, int end,
                uchar* out) {
    const int channels = channelsOf(image);
    const int length = image.width() * channels;
    RowFilter rowFilter(filter, length, channels, measure);
    std::vector<uchar> rows[2] = {std::vector<uchar>(size_t(length)),
                                  std::vector<uchar>(size_t(length))};
    const auto convert = [&](int y, uchar* row) {
        if (channels == 4)
            toRgba(image.constScanLine(y), image.width(), row);
        else
            toRgb(image.constScanLine(y), image.width(), row);
    };
    if (first > 0)
        convert(first - 1, rows[(first - 1) & 1].data());
    for (int y = first; y < end; ++y) {
        uchar* row = rows[y & 1].data();
        convert(y, row);
        rowFilter.filter(row, y > 0 ? rows[(y - 1) & 1].data() : nullptr,
                         out + size_t(y - first) * (length + 1));
    }
}

// Rows are filtered independently of each other, so each piece of whole rows is filtered on
// the thread that packs it, with no wait between the two.
PieceStarts rowPieces(const QImage& image, int pieces) {
    const int height = std::max(image.height(), 1);
    const size_t rowBytes = size_t(filteredSize(image) / height);
    pieces = std::clamp(pieces, 1, height);
    PieceStarts starts(size_t(pieces) + 1);
    for (int i = 0; i <= pieces; ++i)
        starts[size_t(i)] = size_t(height * i / pieces) * rowBytes;
    return starts;
}

int cores() {
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

// Six pieces a core, as long as each has enough to do (below this a piece costs more than it
// saves), taken by one thread a core as they come free: when another program holds a core, the
// others take on its pieces, and the last pieces to finish are small. Six a core saved a tenth
// of the time two took on photographs with other programs busy, for 0.1 % more bytes.
int piecesFor(qint64 bytes) {
    constexpr qint64 kLeastBytesAPiece = 128 << 10;
    constexpr int kPiecesACore = 6;
    return int(std::clamp<qint64>(bytes / kLeastBytesAPiece, 1, kPiecesACore * cores()));
}

using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

// Filters bands of rows spread over the picture with each measure and packs them: the measure
// whose sample packs smaller filters the picture. Photographs take the entropy (1-2 % smaller),
// patterns and screens the magnitude. Each band and measure is a job of its own, so the choice
// takes about a millisecond on eight cores; eight bands of four rows are a 34th of a 1920x1080
// screen.
RowMeasure chooseMeasure(const QImage& image, SideBySide& threads) {
    constexpr int kBands = 8;
    constexpr int kBandRows = 4;
    const int height = image.height();
    const int bands = height >= kBands * kBandRows ? kBands : 1;
    const int bandRows = bands == 1 ? height : kBandRows;
    const size_t bandBytes = size_t(filteredSize(image) / height) * size_t(bandRows);
    constexpr RowMeasure kMeasures[2] = {RowMeasure::Magnitude, RowMeasure::Entropy};
    std::vector<size_t> packed(size_t(2 * bands), 0);
    std::vector<Compressor> compressors(size_t(threads.workers()));
    threads.run(2 * bands, [&](int worker, int job) {
        const int band = job / 2;
        const int first = bands == 1 ? 0 : (height - bandRows) * band / (bands - 1);
        try {
            std::vector<uchar> sample(bandBytes);
            filterBand(image, PngFilter::Adaptive, kMeasures[job % 2], first, first + bandRows,
                       sample.data());
            Compressor& compressor = compressors[size_t(worker)];
            if (!compressor)
                compressor.reset(libdeflate_alloc_compressor(kDefaultLevel - 1));
            std::vector<uchar> out(libdeflate_deflate_compress_bound(nullptr, bandBytes));
            packed[size_t(job)] =
                compressor ? libdeflate_deflate_compress(compressor.get(), sample.data(), bandBytes,
                                                         out.data(), out.size())
                           : 0;
        } catch (const std::bad_alloc&) {
            packed[size_t(job)] = 0;  // counted as unpacked: the choice stays sound
        }
    });
    size_t sizes[2] = {0, 0};
    for (size_t job = 0; job < packed.size(); ++job)
        sizes[job % 2] += packed[job] > 0 ? packed[job] : bandBytes;
    // The entropy costs more to reckon: it has to gain at least a half percent.
    return sizes[1] * 200 < sizes[0] * 199 ? RowMeasure::Entropy : RowMeasure::Magnitude;
}

}  // namespace

bool encodesDirectly(const QImage& image) {
    return (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) &&
           filteredSize(image) <= kLargestPackedInMemory;
}

QByteArray encodePng(const QImage& image, const PngSettings& settings, QString* error) {
    const int channels = channelsOf(image);
    const int width = image.width();
    const size_t total = size_t(filteredSize(image));
    const int count = settings.pieces > 0 ? settings.pieces : piecesFor(qint64(total));
    SideBySide threads(std::min(count, cores()));
    const RowMeasure measure = settings.measure ? *settings.measure
                               : settings.filter == PngFilter::Adaptive
                                   ? chooseMeasure(image, threads)
                                   : RowMeasure::Magnitude;
    const PieceStarts pieces = rowPieces(image, count);
    const int level = settings.level > 0 ? settings.level : kDefaultLevel;
    // One data chunk, packed straight into the file's memory.
    const size_t bound = zlibBound(pieces);
    if (bound > size_t(std::numeric_limits<qint32>::max()) - 128) {
        *error = QStringLiteral("the picture is too large for one PNG data chunk");
        return {};
    }
    PngWriter png(qsizetype(bound) + 128);
    uchar header[13];
    qToBigEndian(quint32(width), header);
    qToBigEndian(quint32(image.height()), header + 4);
    header[8] = 8;                      // bits a channel
    header[9] = channels == 4 ? 6 : 2;  // RGBA or RGB
    header[10] = header[11] = header[12] = 0;
    png.chunk("IHDR", header, sizeof header);
    if (image.dotsPerMeterX() > 0 || image.dotsPerMeterY() > 0) {
        uchar resolution[9];
        qToBigEndian(quint32(std::max(image.dotsPerMeterX(), 0)), resolution);
        qToBigEndian(quint32(std::max(image.dotsPerMeterY(), 0)), resolution + 4);
        resolution[8] = 1;  // dots a metre
        png.chunk("pHYs", resolution, sizeof resolution);
    }
    uchar* data = png.open("IDAT", qsizetype(bound));
    const size_t rowBytes = size_t(width * channels + 1);
    const auto filterPiece = [&](int i, uchar* into) {
        filterBand(image, settings.filter, measure, int(pieces[size_t(i)] / rowBytes),
                   int(pieces[size_t(i) + 1] / rowBytes), into);
    };
    const size_t packed = packZlib(pieces, level, threads, data, bound, filterPiece);
    if (packed == 0) {
        *error = QStringLiteral("out of memory, or the compressed picture did not fit its buffer");
        return {};
    }
    png.close(quint32(packed));
    png.chunk("IEND", nullptr, 0);
    return png.take();
}

}  // namespace qv::converter
