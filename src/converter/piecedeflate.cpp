#include "converter/piecedeflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "converter/sidebyside.h"

namespace qv::converter {

namespace {

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

// The empty stored block a piece ends with: its three header bits (not final, stored) are the
// zero bits before the byte boundary, then the length and its complement.
constexpr uchar kEmptyStoredBlock[4] = {0x00, 0x00, 0xFF, 0xFF};
constexpr size_t kPieceEndRoom = 1 + sizeof kEmptyStoredBlock;

// A packed piece. Its buffer is left uninitialised: clearing the bound of every piece cost more
// than a tenth of the packing of a screenshot.
struct Piece {
    std::unique_ptr<uchar[]> bytes;
    size_t size = 0;
    quint32 adler = 1;
    bool ok = false;
};

// Where, in bits, the final block of a deflate stream starts and where the stream ends. Only an
// inflater knows where the blocks lie; inflating with Z_BLOCK stops after each block with the
// count of input bits not yet used.
struct Bounds {
    size_t finalBlock = 0;
    size_t end = 0;
};

bool findBounds(const uchar* stream, size_t size, Bounds* bounds) {
    z_stream inflater{};
    if (inflateInit2(&inflater, -MAX_WBITS) != Z_OK)
        return false;
    std::vector<uchar> sink(size_t(1) << 16);
    inflater.next_in = const_cast<uchar*>(stream);
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
bool endOnByteBoundary(uchar* stream, size_t* size) {
    Bounds bounds;
    if (!findBounds(stream, *size, &bounds))
        return false;
    stream[bounds.finalBlock / 8] &= uchar(~(1u << (bounds.finalBlock % 8)));
    // The stored block's three header bits follow the end, then zero bits to the boundary.
    const size_t aligned = (bounds.end + 3 + 7) / 8;
    stream[bounds.end / 8] &= uchar((1u << (bounds.end % 8)) - 1);
    std::fill(stream + bounds.end / 8 + 1, stream + aligned, uchar(0));
    std::memcpy(stream + aligned, kEmptyStoredBlock, sizeof kEmptyStoredBlock);
    *size = aligned + sizeof kEmptyStoredBlock;
    return true;
}

void packPiece(const uchar* data, size_t size, int level, bool last, Piece* piece) {
    const Compressor compressor(libdeflate_alloc_compressor(level));
    if (!compressor)
        return;
    const size_t bound = libdeflate_deflate_compress_bound(compressor.get(), size);
    piece->bytes.reset(new uchar[bound + kPieceEndRoom]);
    piece->size =
        libdeflate_deflate_compress(compressor.get(), data, size, piece->bytes.get(), bound);
    if (piece->size == 0)
        return;
    piece->adler = quint32(libdeflate_adler32(1, data, size));
    piece->ok = last || endOnByteBoundary(piece->bytes.get(), &piece->size);
}

size_t pieceStart(size_t size, int count, int piece) {
    return size * size_t(piece) / size_t(count);
}

uchar levelFlag(int level) {
    return uchar(level <= 1 ? 0 : level <= 5 ? 1 : level == 6 ? 2 : 3);
}

}  // namespace

int piecesFor(size_t size, int pieces) {
    return int(std::max<size_t>(1, std::min(size_t(std::max(pieces, 1)), size)));
}

size_t zlibBound(size_t size, int pieces) {
    const int count = piecesFor(size, pieces);
    size_t bound = 2 + 4;  // header and checksum
    for (int i = 0; i < count; ++i) {
        const size_t piece = pieceStart(size, count, i + 1) - pieceStart(size, count, i);
        bound += libdeflate_deflate_compress_bound(nullptr, piece) + kPieceEndRoom;
    }
    return bound;
}

size_t packZlib(const uchar* data, size_t size, int level, int pieces, uchar* out,
                size_t capacity) {
    const int count = piecesFor(size, pieces);
    std::vector<Piece> packed;
    try {
        packed.resize(size_t(count));
        runSideBySide(count, [&](int i) {
            const size_t first = pieceStart(size, count, i);
            const size_t end = pieceStart(size, count, i + 1);
            try {
                packPiece(data + first, end - first, level, i == count - 1, &packed[size_t(i)]);
            } catch (const std::bad_alloc&) {
                packed[size_t(i)].ok = false;
            }
        });
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // The header: deflate with a 32 KB window, the level as a hint, and the check bits that
    // make the two bytes a multiple of 31.
    const uint header = 0x7800u | uint(levelFlag(level)) << 6;
    size_t at = 2;
    if (capacity < at)
        return 0;
    qToBigEndian(quint16(header + (31 - header % 31) % 31), out);
    uLong adler = 1;
    for (int i = 0; i < count; ++i) {
        const Piece& piece = packed[size_t(i)];
        if (!piece.ok || capacity - at < piece.size)
            return 0;
        std::memcpy(out + at, piece.bytes.get(), piece.size);
        at += piece.size;
        const size_t length = pieceStart(size, count, i + 1) - pieceStart(size, count, i);
        adler = i == 0 ? piece.adler : adler32_combine(adler, piece.adler, z_off_t(length));
    }
    if (capacity - at < 4)
        return 0;
    qToBigEndian(quint32(adler), out + at);
    return at + 4;
}

}  // namespace qv::converter
