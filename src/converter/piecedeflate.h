#pragma once

#include <QtGlobal>
#include <cstddef>

namespace qv::converter {

// One zlib stream packed in pieces side by side. Each piece but the last is a deflate stream of
// its own whose final flag is cleared and that is ended on a byte boundary with an empty stored
// block (what a sync flush writes), so the pieces join into one stream any inflater reads; the
// checksum is combined from the pieces'. A piece starts with an empty history (libdeflate
// cannot be primed with the previous piece's end), which costs from tens to a few hundred bytes
// a piece.

// The most bytes packZlib writes for size bytes in the given number of pieces.
size_t zlibBound(size_t size, int pieces);

// The pieces data is cut into: at most `pieces`, never an empty one.
int piecesFor(size_t size, int pieces);

// Packs data at a deflate level 1..12 in piecesFor(size, pieces) pieces, each on a thread of
// its own. Returns the bytes written to out, or 0 when they did not fit or memory ran out.
size_t packZlib(const uchar* data, size_t size, int level, int pieces, uchar* out, size_t capacity);

}  // namespace qv::converter
