#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <cstring>
#include <string>
#include <vector>

#include "converter/piecedeflate.h"

namespace {

using qv::converter::evenPieces;
using qv::converter::packZlib;
using qv::converter::piecesFor;
using qv::converter::PieceStarts;
using qv::converter::SideBySide;
using qv::converter::zlibBound;

std::vector<uchar> sample(const std::string& kind, size_t size) {
    std::vector<uchar> data(size);
    quint32 state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        if (kind == "random")
            data[i] = uchar(state >> 24);
        else if (kind == "text")
            data[i] = uchar("the quick brown fox jumps "[(i + (state >> 30)) % 26]);
        else
            data[i] = uchar(i / 4096);  // long runs: few, large blocks
    }
    return data;
}

// zlib's own inflater is the second reader: it checks the joined stream's checksum too.
std::vector<uchar> inflateAll(const std::vector<uchar>& packed, size_t size, int* status) {
    std::vector<uchar> out(size + 1);
    uLongf length = uLongf(out.size());
    *status = uncompress(out.data(), &length, packed.data(), uLong(packed.size()));
    out.resize(length);
    return out;
}

std::vector<uchar> pack(const std::vector<uchar>& data, int level, int pieces) {
    std::vector<uchar> out(zlibBound(data.size(), pieces));
    out.resize(packZlib(data.data(), data.size(), level, pieces, out.data(), out.size()));
    return out;
}

// Every piece count, including more pieces than bytes, and sizes whose pieces end at every bit
// position of their last byte: the joined stream inflates to the data with a valid checksum.
TEST(PieceDeflate, JoinedPiecesInflateToTheDataForAnyCount) {
    for (const std::string kind : {"random", "text", "runs"}) {
        for (const size_t size : {size_t(0), size_t(1), size_t(5), size_t(17), size_t(1000),
                                  size_t(70000), size_t(300001)}) {
            for (const int pieces : {1, 2, 3, 7, 8, 64}) {
                for (const int level : {1, 6, 12}) {
                    const std::string what = kind + " " + std::to_string(size) + " bytes, " +
                                             std::to_string(pieces) + " pieces, level " +
                                             std::to_string(level);
                    const std::vector<uchar> data = sample(kind, size);
                    const std::vector<uchar> packed = pack(data, level, pieces);
                    ASSERT_GE(packed.size(), 6u) << what;
                    EXPECT_EQ((packed[0] << 8 | packed[1]) % 31, 0) << what << ": header check";
                    int status = Z_DATA_ERROR;
                    EXPECT_EQ(inflateAll(packed, size, &status), data) << what;
                    EXPECT_EQ(status, Z_OK) << what;
                    EXPECT_LE(packed.size(), zlibBound(size, pieces)) << what;
                }
            }
        }
    }
}

// A piece that cannot be had, or a sink that takes no more (or runs out of memory), ends the
// stream: nothing is handed on after it, and the caller hears of it.
TEST(PieceDeflate, AFailedPieceOrARefusingSinkEndsTheStream) {
    const std::vector<uchar> data = sample("text", 100000);
    const PieceStarts starts = evenPieces(data.size(), 8);
    SideBySide threads(4);
    const struct {
        int unreadable;   // the piece whose bytes cannot be had, or -1
        int refusedCall;  // the sink call refused, or -1
        bool throws;      // the refusal is running out of memory
        int callsTaken;   // how many calls the sink saw before the end
    } cases[] = {{-1, -1, false, 8}, {0, -1, false, 0}, {5, -1, false, 5},
                 {-1, 0, false, 1},  {-1, 3, false, 4}, {-1, 2, true, 3}};
    for (const auto& c : cases) {
        const std::string what = std::to_string(c.unreadable) + " " +
                                 std::to_string(c.refusedCall) + (c.throws ? " throwing" : "");
        int calls = 0;
        const auto fill = [&](int, int i, uchar* into) {
            std::memcpy(into, data.data() + starts[size_t(i)],
                        starts[size_t(i) + 1] - starts[size_t(i)]);
            return i != c.unreadable;
        };
        const auto sink = [&](const uchar*, size_t) {
            if (calls++ != c.refusedCall)
                return true;
            if (c.throws)
                throw std::bad_alloc();
            return false;
        };
        EXPECT_EQ(packZlib(starts, 1, threads, fill, sink), c.callsTaken == 8 && c.refusedCall < 0)
            << what;
        EXPECT_EQ(calls, c.callsTaken) << what;
    }
}

TEST(PieceDeflate, PiecesAreNeverEmptyAndTheirChecksumsCombine) {
    EXPECT_EQ(piecesFor(0, 8), 1);
    EXPECT_EQ(piecesFor(3, 8), 3);
    EXPECT_EQ(piecesFor(1000, 0), 1);
    EXPECT_EQ(piecesFor(1000, 7), 7);
    // Unlike pieces must carry unlike checksums for the combination to be seen at work.
    const std::vector<uchar> data = sample("random", 99999);
    const std::vector<uchar> packed = pack(data, 6, 5);
    ASSERT_GE(packed.size(), 4u);
    const quint32 trailer = quint32(packed[packed.size() - 4]) << 24 |
                            quint32(packed[packed.size() - 3]) << 16 |
                            quint32(packed[packed.size() - 2]) << 8 | packed[packed.size() - 1];
    EXPECT_EQ(trailer, quint32(adler32(1, data.data(), uInt(data.size()))));
}

// Uneven pieces whose bytes are made only on the thread that packs them, in memory it reuses
// from piece to piece, on fewer threads than pieces, as many, and more, each set used for batch
// after batch: every piece lands where it belongs in the joined stream, whatever its size.
TEST(PieceDeflate, PiecesMadeOnTheirOwnThreadJoinInOrder) {
    const std::vector<uchar> data = sample("text", 200000);
    const PieceStarts cuts[] = {{0, 200000},
                                {0, 1, 2, 200000},
                                {0, 150000, 150001, 200000},
                                {0, 3000, 90000, 91000, 199999, 200000}};
    for (const int count : {1, 2, 3, 9}) {
        SideBySide threads(count);
        for (const PieceStarts& starts : cuts) {
            const std::string what = std::to_string(starts.size() - 1) + " pieces on " +
                                     std::to_string(count) + " threads";
            const auto fill = [&](int, int i, uchar* into) -> bool {
                std::memcpy(into, data.data() + starts[size_t(i)],
                            starts[size_t(i) + 1] - starts[size_t(i)]);
                return true;
            };
            std::vector<uchar> out;
            const auto append = [&](const uchar* bytes, size_t size) {
                out.insert(out.end(), bytes, bytes + size);
                return true;
            };
            ASSERT_TRUE(packZlib(starts, 6, threads, fill, append)) << what;
            int status = Z_DATA_ERROR;
            EXPECT_EQ(inflateAll(out, data.size(), &status), data) << what;
            EXPECT_EQ(status, Z_OK) << what;
        }
    }
}

TEST(PieceDeflate, TooSmallABufferIsRefused) {
    const std::vector<uchar> data = sample("random", 50000);
    std::vector<uchar> out(zlibBound(data.size(), 4));
    const size_t whole = packZlib(data.data(), data.size(), 6, 4, out.data(), out.size());
    ASSERT_GT(whole, 0u);
    for (const size_t capacity : {size_t(0), size_t(1), whole / 2, whole - 1})
        EXPECT_EQ(packZlib(data.data(), data.size(), 6, 4, out.data(), capacity), 0u) << capacity;
}

}  // namespace
