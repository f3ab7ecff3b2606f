#include "converter/pngencoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "converter/bigendian.h"
#include "converter/piecedeflate.h"
#include "converter/sidebyside.h"

namespace qv::converter {

namespace {

void toRgb(const uint32_t* pixels, int width, uint8_t* to) {
    for (int x = 0; x < width; ++x, to += 3) {
        const uint32_t p = pixels[x];
        to[0] = uint8_t(p >> 16);
        to[1] = uint8_t(p >> 8);
        to[2] = uint8_t(p);
    }
}

void toRgba(const uint32_t* pixels, int width, uint8_t* to) {
    for (int x = 0; x < width; ++x, to += 4) {
        const uint32_t p = pixels[x];
        to[0] = uint8_t(p >> 16);
        to[1] = uint8_t(p >> 8);
        to[2] = uint8_t(p);
        to[3] = uint8_t(p >> 24);
    }
}

int channelsOf(const PictureShape& shape) {
    return shape.alpha ? 4 : 3;
}

// Bytes of one filtered row: the filter type, then the pixels' channels.
size_t rowBytesOf(const PictureShape& shape) {
    return size_t(shape.width) * size_t(channelsOf(shape)) + 1;
}

int64_t filteredSize(const PictureShape& shape) {
    return int64_t(rowBytesOf(shape)) * shape.height;
}

// The data chunks' size: each costs twelve bytes, which on a small screenshot made of a chunk a
// piece came to more than the file had below the toolkit's; a quarter of a megabyte still goes
// to the file while the rest of a screen is being packed.
constexpr size_t kChunkBytes = 256 << 10;

// Hands a chunk to the sink in one call: its length and type, its data, and the checksum.
bool putChunk(const PngSink& sink, const char type[4], const uint8_t* data, size_t size) {
    uint8_t head[8];
    putBigEndian32(uint32_t(size), head);
    std::memcpy(head + 4, type, 4);
    // libdeflate takes a missing buffer for a fresh start, not for no bytes.
    uint32_t crc = uint32_t(libdeflate_crc32(0, head + 4, 4));
    if (size > 0)
        crc = uint32_t(libdeflate_crc32(crc, data, size));
    uint8_t check[4];
    putBigEndian32(crc, check);
    return sink({{head, sizeof head}, {data, size}, {check, sizeof check}});
}

// The signature and the header chunks, for the sink in one call.
std::vector<uint8_t> fileStart(const PictureShape& shape) {
    std::vector<uint8_t> start = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const PngSink append = [&](std::initializer_list<ByteRange> parts) {
        for (const ByteRange& part : parts)
            start.insert(start.end(), part.data, part.data + part.size);
        return true;
    };
    uint8_t header[13];
    putBigEndian32(uint32_t(shape.width), header);
    putBigEndian32(uint32_t(shape.height), header + 4);
    header[8] = 8;                    // bits a channel
    header[9] = shape.alpha ? 6 : 2;  // RGBA or RGB
    header[10] = header[11] = header[12] = 0;
    putChunk(append, "IHDR", header, sizeof header);
    if (shape.dotsPerMeterX > 0 || shape.dotsPerMeterY > 0) {
        uint8_t resolution[9];
        putBigEndian32(uint32_t(std::max(shape.dotsPerMeterX, 0)), resolution);
        putBigEndian32(uint32_t(std::max(shape.dotsPerMeterY, 0)), resolution + 4);
        resolution[8] = 1;  // dots a metre
        putChunk(append, "pHYs", resolution, sizeof resolution);
    }
    return start;
}

// Memory of each thread's own for the pixel rows it reads, made on its first use.
class RowRooms {
public:
    RowRooms(int workers, size_t pixels) : rooms_(size_t(workers)), pixels_(pixels) {}
    uint32_t* of(int worker) {
        std::unique_ptr<uint32_t[]>& room = rooms_[size_t(worker)];
        if (!room)
            room.reset(new uint32_t[pixels_]);
        return room.get();
    }

private:
    std::vector<std::unique_ptr<uint32_t[]>> rooms_;
    size_t pixels_;
};

// Converts and filters the rows from first to end into out, row `first` first. room holds the
// rows from the one above first to end. False when the rows cannot be had.
bool filterBand(const PixelRows& source, PngFilter filter, RowMeasure measure, int first, int end,
                uint8_t* out, uint32_t* room) {
    const PictureShape& shape = source.shape();
    const int channels = channelsOf(shape);
    const int length = shape.width * channels;
    const int from = std::max(first - 1, 0);
    const uint32_t* pixels = source.rows(from, end - from, room);
    if (!pixels)
        return false;
    RowFilter rowFilter(filter, length, channels, measure);
    std::vector<uint8_t> rows[2] = {std::vector<uint8_t>(size_t(length)),
                                    std::vector<uint8_t>(size_t(length))};
    const auto convert = [&](int y, uint8_t* row) {
        const uint32_t* line = pixels + size_t(y - from) * size_t(shape.width);
        if (channels == 4)
            toRgba(line, shape.width, row);
        else
            toRgb(line, shape.width, row);
    };
    if (first > 0)
        convert(first - 1, rows[(first - 1) & 1].data());
    for (int y = first; y < end; ++y) {
        uint8_t* row = rows[y & 1].data();
        convert(y, row);
        rowFilter.filter(row, y > 0 ? rows[(y - 1) & 1].data() : nullptr,
                         out + size_t(y - first) * size_t(length + 1));
    }
    return true;
}

// Rows are filtered independently of each other, so each piece of whole rows is filtered on
// the thread that packs it, with no wait between the two.
PieceStarts rowPieces(const PictureShape& shape, int pieces) {
    const int height = std::max(shape.height, 1);
    const size_t rowBytes = rowBytesOf(shape);
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
// Photographs (the rows rated by their entropy) take twelve a core of at least 64 KB: how long a
// piece takes varies most there, and at 1920x1080 this saved 5-8 % of the time for 0.1-0.25 %
// more bytes. Screens and patterns keep six: more made a busy pattern's file larger than the
// toolkit's.
int piecesFor(int64_t bytes, RowMeasure measure) {
    const bool photograph = measure == RowMeasure::Entropy;
    const int64_t leastBytesAPiece = photograph ? 64 << 10 : 128 << 10;
    const int piecesACore = photograph ? 12 : 6;
    return int(std::clamp<int64_t>(bytes / leastBytesAPiece, 1, piecesACore * cores()));
}

// Filters bands of rows spread over the picture with each measure and packs them: the measure
// whose sample packs smaller filters the picture. Photographs take the entropy (1-2 % smaller),
// patterns and screens the magnitude. Each band and measure is a job of its own, so the choice
// takes about a millisecond on eight cores; eight bands of four rows are a 34th of a 1920x1080
// screen.
RowMeasure chooseMeasure(const PixelRows& source, SideBySide& threads) {
    constexpr int kBands = 8;
    constexpr int kBandRows = 4;
    const PictureShape& shape = source.shape();
    const int height = shape.height;
    const int bands = height >= kBands * kBandRows ? kBands : 1;
    const int bandRows = bands == 1 ? height : kBandRows;
    const size_t bandBytes = rowBytesOf(shape) * size_t(bandRows);
    constexpr RowMeasure kMeasures[2] = {RowMeasure::Magnitude, RowMeasure::Entropy};
    std::vector<size_t> packed(size_t(2 * bands), 0);
    std::vector<Compressor> compressors(size_t(threads.workers()));
    RowRooms rooms(threads.workers(), size_t(bandRows + 1) * size_t(shape.width));
    threads.run(2 * bands, [&](int worker, int job) {
        const int band = job / 2;
        const int first = bands == 1 ? 0 : (height - bandRows) * band / (bands - 1);
        try {
            std::vector<uint8_t> sample(bandBytes);
            Compressor& compressor = compressors[size_t(worker)];
            if (!compressor)
                compressor.reset(libdeflate_alloc_compressor(kDefaultLevel - 1));
            if (!compressor || !filterBand(source, PngFilter::Adaptive, kMeasures[job % 2], first,
                                           first + bandRows, sample.data(), rooms.of(worker)))
                return;
            std::vector<uint8_t> out(libdeflate_deflate_compress_bound(nullptr, bandBytes));
            packed[size_t(job)] = libdeflate_deflate_compress(compressor.get(), sample.data(),
                                                              bandBytes, out.data(), out.size());
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

bool packsInMemory(const PictureShape& shape) {
    return shape.width > 0 && shape.height > 0 && filteredSize(shape) <= kLargestPackedInMemory;
}

bool encodePng(const PixelRows& source, const PngSettings& settings, const PngSink& sink,
               std::string* error) {
    const PictureShape& shape = source.shape();
    const size_t rowBytes = rowBytesOf(shape);
    const size_t total = size_t(filteredSize(shape));
    const int most =
        settings.pieces > 0 ? settings.pieces : piecesFor(int64_t(total), RowMeasure::Entropy);
    SideBySide threads(std::min(most, cores()));
    const RowMeasure measure = settings.measure ? *settings.measure
                               : settings.filter == PngFilter::Adaptive
                                   ? chooseMeasure(source, threads)
                                   : RowMeasure::Magnitude;
    const int count = settings.pieces > 0 ? settings.pieces : piecesFor(int64_t(total), measure);
    const PieceStarts pieces = rowPieces(shape, count);
    const int level = settings.level > 0 ? settings.level : kDefaultLevel;
    size_t mostRows = 0;
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
        mostRows = std::max(mostRows, (pieces[i + 1] - pieces[i]) / rowBytes);
    try {
        const std::vector<uint8_t> start = fileStart(shape);
        bool taken = sink({{start.data(), start.size()}});
        RowRooms rooms(threads.workers(), (mostRows + 1) * size_t(shape.width));
        const auto filterPiece = [&](int worker, int i, uint8_t* into) {
            return filterBand(source, settings.filter, measure, int(pieces[size_t(i)] / rowBytes),
                              int(pieces[size_t(i) + 1] / rowBytes), into, rooms.of(worker));
        };
        // The pieces gather into data chunks of about kChunkBytes, each handed on while the
        // later pieces are still being packed.
        std::vector<uint8_t> gathered;
        gathered.reserve(kChunkBytes);
        const auto putGathered = [&] {
            taken = taken && putChunk(sink, "IDAT", gathered.data(), gathered.size());
            gathered.clear();
            return taken;
        };
        const auto putPiece = [&](const uint8_t* bytes, size_t size) {
            gathered.insert(gathered.end(), bytes, bytes + size);
            return gathered.size() < kChunkBytes || putGathered();
        };
        if (taken && packZlib(pieces, level, threads, filterPiece, putPiece) &&
            (gathered.empty() || putGathered()) && putChunk(sink, "IEND", nullptr, 0))
            return true;
        *error = taken ? "out of memory, or the picture's rows could not be read"
                       : "the file did not take the picture";
    } catch (const std::bad_alloc&) {
        *error = "out of memory";
    }
    return false;
}

PngBytes encodePng(const PixelRows& source, const PngSettings& settings, std::string* error) {
    const PictureShape& shape = source.shape();
    // As many pieces as any rating of the rows takes, the most room they need.
    const int count =
        settings.pieces > 0 ? settings.pieces : piecesFor(filteredSize(shape), RowMeasure::Entropy);
    const PieceStarts pieces = rowPieces(shape, count);
    // The stream, at most a chunk of twelve bytes per piece, and the rest of the file.
    const size_t capacity = zlibBound(pieces) + 12 * (pieces.size() - 1) + 128;
    PngBytes png;
    try {
        png.data.reset(new uint8_t[capacity]);  // left uninitialised: written before it is read
    } catch (const std::bad_alloc&) {
        *error = "out of memory";
        return {};
    }
    const PngSink into = [&](std::initializer_list<ByteRange> parts) {
        for (const ByteRange& part : parts) {
            if (part.size > capacity - png.size)
                return false;
            if (part.size == 0)
                continue;  // an empty chunk's data may have no address at all
            std::memcpy(png.data.get() + png.size, part.data, part.size);
            png.size += part.size;
        }
        return true;
    };
    if (!encodePng(source, settings, into, error))
        return {};
    return png;
}

}  // namespace qv::converter
