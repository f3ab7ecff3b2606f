#include "converter/piecedeflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "converter/bigendian.h"
#include "converter/sidebyside.h"

namespace qv::converter {

namespace {

// The empty stored block a piece ends with: its three header bits (not final, stored) are the
// zero bits before the byte boundary, then the length and its complement.
constexpr uint8_t kEmptyStoredBlock[4] = {0x00, 0x00, 0xFF, 0xFF};
constexpr size_t kPieceEndRoom = 1 + sizeof kEmptyStoredBlock;

// What became of a piece, packed in place in its slot of the output.
struct Piece {
    size_t size = 0;
    uint32_t adler = 1;
    bool ok = false;
    bool done = false;  // packed or failed, under the lock of handing on
};

// Where, in bits, the final block of a deflate stream starts and where the stream ends. Only an
// inflater knows where the blocks lie; inflating with Z_BLOCK stops after each block with the
// count of input bits not yet used.
struct Bounds {
    size_t finalBlock = 0;
    size_t end = 0;
};

bool findBounds(const uint8_t* stream, size_t size, Bounds* bounds) {
    z_stream inflater{};
    if (inflateInit2(&inflater, -MAX_WBITS) != Z_OK)
        return false;
    std::vector<uint8_t> sink(size_t(1) << 16);
    inflater.next_in = const_cast<uint8_t*>(stream);
    inflater.avail_in = uInt(size);
    size_t blockStart = 0;
    bool found = false;
    for (;;) {
        inflater.next_out = sink.data();
        inflater.avail_out = uInt(sink.size());
        const int status = inflate(&inflater, Z_BLOCK);
        if (status != Z_OK && status != Z_BUF_ERROR)
            break;
        if (inflater.data_type & 128) {
            const size_t at =
                size_t(inflater.next_in - stream) * 8 - size_t(inflater.data_type & 7);
            if (inflater.data_type & 64) {
                *bounds = {blockStart, at};
                found = true;
                break;
            }
            blockStart = at;
        } else if (status == Z_BUF_ERROR && inflater.avail_out != 0) {
            break;  // the stream ended before its final block did
        }
    }
    inflateEnd(&inflater);
    return found;
}

// Turns a complete deflate stream into one that goes on: its final flag cleared, and ended on a
// byte boundary by an empty stored block. The buffer has room for kPieceEndRoom more bytes.
bool endOnByteBoundary(uint8_t* stream, size_t* size) {
    Bounds bounds;
    if (!findBounds(stream, *size, &bounds))
        return false;
    stream[bounds.finalBlock / 8] &= uint8_t(~(1u << (bounds.finalBlock % 8)));
    // The stored block's three header bits follow the end, then zero bits to the boundary.
    const size_t aligned = (bounds.end + 3 + 7) / 8;
    stream[bounds.end / 8] &= uint8_t((1u << (bounds.end % 8)) - 1);
    std::fill(stream + bounds.end / 8 + 1, stream + aligned, uint8_t(0));
    std::memcpy(stream + aligned, kEmptyStoredBlock, sizeof kEmptyStoredBlock);
    *size = aligned + sizeof kEmptyStoredBlock;
    return true;
}

// Packs a piece into room bytes at into, which is libdeflate's bound and kPieceEndRoom. The
// compressor is made on first use and kept for the thread's next piece.
void packPiece(const uint8_t* data, size_t size, int level, bool last, uint8_t* into, size_t room,
               Compressor* compressor, Piece* piece) {
    if (!*compressor)
        compressor->reset(libdeflate_alloc_compressor(level));
    if (!*compressor)
        return;
    piece->size =
        libdeflate_deflate_compress(compressor->get(), data, size, into, room - kPieceEndRoom);
    if (piece->size == 0)
        return;
    piece->adler = uint32_t(libdeflate_adler32(1, data, size));
    piece->ok = last || endOnByteBoundary(into, &piece->size);
}

// The room a piece of size bytes is packed in.
size_t pieceRoom(size_t size) {
    return libdeflate_deflate_compress_bound(nullptr, size) + kPieceEndRoom;
}

uint8_t levelFlag(int level) {
    return uint8_t(level <= 1 ? 0 : level <= 5 ? 1 : level == 6 ? 2 : 3);
}

constexpr size_t kHeaderSize = 2;
constexpr size_t kChecksumSize = 4;

}  // namespace

void CompressorFree::operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
}

int piecesFor(size_t size, int pieces) {
    return int(std::max<size_t>(1, std::min(size_t(std::max(pieces, 1)), size)));
}

PieceStarts evenPieces(size_t size, int pieces) {
    const int count = piecesFor(size, pieces);
    PieceStarts starts(size_t(count) + 1);
    for (int i = 0; i <= count; ++i)
        starts[size_t(i)] = size * size_t(i) / size_t(count);
    return starts;
}

size_t zlibBound(const PieceStarts& starts) {
    size_t bound = kHeaderSize + kChecksumSize;
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        bound += pieceRoom(starts[i + 1] - starts[i]);
    return bound;
}

size_t zlibBound(size_t size, int pieces) {
    return zlibBound(evenPieces(size, pieces));
}

namespace {

// Packs the pieces whose bytes source(worker, i, scratch) says where they lie; scratch() is the
// thread's own memory for its pieces, as large as the largest. Each piece is packed into a slot
// as large as its bound and handed on as soon as the pieces before it have been: the first with
// the stream's header in front of it, the last with the checksum behind it.
template <typename Source>
bool packPieces(const PieceStarts& starts, int level, SideBySide& threads, const StreamSink& sink,
                const Source& source) {
    const int count = int(starts.size()) - 1;
    if (count < 1)
        return false;
    std::vector<Piece> packed;
    std::vector<size_t> placedAt;
    std::vector<Compressor> compressors;
    std::vector<std::unique_ptr<uint8_t[]>> scratch;
    std::unique_ptr<uint8_t[]> slots;
    size_t largest = 0;
    std::mutex handing;
    int next = 0;  // the first piece not yet handed on
    uLong adler = 1;
    std::atomic<bool> failed = false;
    // Under the lock: hands on every packed piece whose turn it is.
    const auto handOn = [&] {
        for (; next < count && packed[size_t(next)].done && !failed; ++next) {
            const Piece& piece = packed[size_t(next)];
            const size_t length = starts[size_t(next) + 1] - starts[size_t(next)];
            adler = next == 0 ? piece.adler : adler32_combine(adler, piece.adler, z_off_t(length));
            uint8_t* from = slots.get() + placedAt[size_t(next)];
            size_t size = piece.size;
            if (next == 0) {
                from -= kHeaderSize;
                size += kHeaderSize;
            }
            if (next == count - 1) {
                putBigEndian32(uint32_t(adler), from + size);
                size += kChecksumSize;
            }
            // This runs on a thread of the set, where nothing may be thrown out of a job.
            bool taken = false;
            try {
                taken = piece.ok && sink(from, size);
            } catch (const std::bad_alloc&) {
            }
            if (!taken)
                failed = true;
        }
    };
    try {
        packed.resize(size_t(count));
        compressors.resize(size_t(threads.workers()));
        scratch.resize(size_t(threads.workers()));
        placedAt.resize(size_t(count));
        size_t place = kHeaderSize;
        for (int i = 0; i < count; ++i) {
            const size_t size = starts[size_t(i) + 1] - starts[size_t(i)];
            placedAt[size_t(i)] = place;
            place += pieceRoom(size);
            largest = std::max(largest, size);
        }
        // Left uninitialised: every byte handed on is written first.
        slots.reset(new uint8_t[place + kChecksumSize]);
        // The header: deflate with a 32 KB window, the level as a hint, and the check bits that
        // make the two bytes a multiple of 31.
        const unsigned header = 0x7800u | unsigned(levelFlag(level)) << 6;
        putBigEndian16(uint16_t(header + (31 - header % 31) % 31), slots.get());
        threads.run(count, [&](int worker, int i) {
            Piece& piece = packed[size_t(i)];
            const size_t size = starts[size_t(i) + 1] - starts[size_t(i)];
            try {
                const auto scratchOf = [&] {
                    std::unique_ptr<uint8_t[]>& memory = scratch[size_t(worker)];
                    if (!memory)
                        memory.reset(new uint8_t[largest]);
                    return memory.get();
                };
                const uint8_t* bytes = failed ? nullptr : source(worker, i, scratchOf);
                if (bytes || (size == 0 && !failed)) {  // empty data may lie nowhere
                    packPiece(bytes, size, level, i == count - 1, slots.get() + placedAt[size_t(i)],
                              pieceRoom(size), &compressors[size_t(worker)], &piece);
                }
            } catch (const std::bad_alloc&) {
                piece.ok = false;
            }
            const std::lock_guard lock(handing);
            piece.done = true;
            handOn();
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    return !failed && next == count;
}

}  // namespace

size_t packZlib(const uint8_t* data, const PieceStarts& starts, int level, SideBySide& threads,
                uint8_t* out, size_t capacity) {
    if (capacity < zlibBound(starts))
        return 0;
    size_t at = 0;
    const auto into = [&](const uint8_t* bytes, size_t size) {
        std::memcpy(out + at, bytes, size);
        at += size;
        return true;
    };
    const bool packed = packPieces(starts, level, threads, into, [&](int, int i, const auto&) {
        return data + starts[size_t(i)];
    });
    return packed ? at : 0;
}

bool packZlib(const PieceStarts& starts, int level, SideBySide& threads, const PieceFill& fill,
              const StreamSink& sink) {
    return packPieces(starts, level, threads, sink, [&](int worker, int i, const auto& scratch) {
        uint8_t* into = scratch();
        return fill(worker, i, into) ? const_cast<const uint8_t*>(into) : nullptr;
    });
}

size_t packZlib(const uint8_t* data, size_t size, int level, int pieces, uint8_t* out,
                size_t capacity) {
    const PieceStarts starts = evenPieces(size, pieces);
    SideBySide threads(int(starts.size()) - 1);
    return packZlib(data, starts, level, threads, out, capacity);
}

}  // namespace qv::converter
