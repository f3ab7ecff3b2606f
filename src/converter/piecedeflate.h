#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "converter/sidebyside.h"

struct libdeflate_compressor;

namespace qv::converter {

// A libdeflate compressor that is freed with its owner.
struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const;
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

// One zlib stream packed in pieces side by side. Each piece but the last is a deflate stream of
// its own whose final flag is cleared and that is ended on a byte boundary with an empty stored
// block (what a sync flush writes), so the pieces join into one stream any inflater reads; the
// checksum is combined from the pieces'. A piece starts with an empty history (libdeflate
// cannot be primed with the previous piece's end), which costs from tens to a few hundred bytes
// a piece.

// Where the pieces start in the data, and its size last: piece i is [starts[i], starts[i + 1]).
using PieceStarts = std::vector<size_t>;

// The pieces data is cut into: at most `pieces`, never an empty one.
int piecesFor(size_t size, int pieces);

// size bytes cut evenly into piecesFor(size, pieces) pieces.
PieceStarts evenPieces(size_t size, int pieces);

// The most bytes packZlib writes for the pieces; it needs this much room.
size_t zlibBound(const PieceStarts& starts);
size_t zlibBound(size_t size, int pieces);

// Packs the pieces of data at a deflate level 1..12 on the threads, each taking the next piece
// nobody has taken. Returns the bytes written to out, or 0 when capacity is below zlibBound or
// memory ran out.
size_t packZlib(const uint8_t* data, const PieceStarts& starts, int level, SideBySide& threads,
                uint8_t* out, size_t capacity);

// Writes the bytes of piece i (starts[i + 1] - starts[i] of them) to `into` on the thread
// `worker`; false when they cannot be had (the picture's file ended early), which fails the
// whole stream.
using PieceFill = std::function<bool(int worker, int i, uint8_t* into)>;

// Takes the next bytes of the stream; false when they could not be taken, which ends it.
using StreamSink = std::function<bool(const uint8_t* bytes, size_t size)>;

// The same, with each piece's bytes made by fill on the thread that packs it, into memory of
// that thread's own which the next piece reuses: no thread waits for another before it packs,
// and the bytes are packed while they are still in the core's cache. The stream goes to sink
// in order, a piece at a time as soon as those before it are packed, from whichever thread
// finished the last of them: what is done with it happens while the rest is being packed.
// False when a piece could not be filled or packed, or the sink refused.
bool packZlib(const PieceStarts& starts, int level, SideBySide& threads, const PieceFill& fill,
              const StreamSink& sink);

// The same for size bytes cut evenly into piecesFor(size, pieces) pieces, a thread each.
size_t packZlib(const uint8_t* data, size_t size, int level, int pieces, uint8_t* out,
                size_t capacity);

}  // namespace qv::converter
