#include "converter/pngfilter.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace qv::converter {

namespace {

// Each filter is its own plain loop so that the compiler can vectorise it; each returns the
// sum of its output bytes read as signed numbers, the adaptive choice's measure.

uint32_t magnitude(uint8_t v) {
    return uint32_t(std::abs(int(int8_t(v))));
}

uint32_t none(const uint8_t* row, const uint8_t*, int length, int, uint8_t* out) {
    uint32_t sum = 0;
    for (int i = 0; i < length; ++i) {
        out[i] = row[i];
        sum += magnitude(out[i]);
    }
    return sum;
}

uint32_t sub(const uint8_t* row, const uint8_t*, int length, int bpp, uint8_t* out) {
    uint32_t sum = 0;
    for (int i = 0; i < bpp; ++i) {
        out[i] = row[i];
        sum += magnitude(out[i]);
    }
    for (int i = bpp; i < length; ++i) {
        out[i] = uint8_t(row[i] - row[i - bpp]);
        sum += magnitude(out[i]);
    }
    return sum;
}

uint32_t up(const uint8_t* row, const uint8_t* above, int length, int, uint8_t* out) {
    uint32_t sum = 0;
    for (int i = 0; i < length; ++i) {
        out[i] = uint8_t(row[i] - above[i]);
        sum += magnitude(out[i]);
    }
    return sum;
}

uint32_t average(const uint8_t* row, const uint8_t* above, int length, int bpp, uint8_t* out) {
    uint32_t sum = 0;
    for (int i = 0; i < bpp; ++i) {
        out[i] = uint8_t(row[i] - (above[i] >> 1));
        sum += magnitude(out[i]);
    }
    for (int i = bpp; i < length; ++i) {
        out[i] = uint8_t(row[i] - ((int(row[i - bpp]) + above[i]) >> 1));
        sum += magnitude(out[i]);
    }
    return sum;
}

// In 16-bit lanes: every difference here fits, and the vectoriser packs twice as many.
inline uint8_t paethPredictor(int16_t a, int16_t b, int16_t c) {
    const int16_t pa = int16_t(b > c ? b - c : c - b);
    const int16_t pb = int16_t(a > c ? a - c : c - a);
    const int16_t sum = int16_t(a + b - 2 * c);
    const int16_t pc = int16_t(sum < 0 ? -sum : sum);
    return uint8_t((pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c));
}

uint32_t paeth(const uint8_t* row, const uint8_t* above, int length, int bpp, uint8_t* out) {
    uint32_t sum = 0;
    for (int i = 0; i < bpp; ++i) {
        out[i] = uint8_t(row[i] - above[i]);  // no left neighbours: the predictor is the one above
        sum += magnitude(out[i]);
    }
    for (int i = bpp; i < length; ++i) {
        out[i] = uint8_t(row[i] - paethPredictor(row[i - bpp], above[i], above[i - bpp]));
        sum += magnitude(out[i]);
    }
    return sum;
}

using FilterFunction = uint32_t (*)(const uint8_t*, const uint8_t*, int, int, uint8_t*);
constexpr FilterFunction kFilters[5] = {none, sub, up, average, paeth};

// Whether each of the bytes from at on repeats the one a pixel before it; compared a word at a
// time, in line (the library's comparison cost a call for each).
bool repeatsPixelBefore(const uint8_t* at, int pixel, int bytes) {
    for (int i = 0; i + 8 <= bytes; i += 8) {
        uint64_t here, before;
        std::memcpy(&here, at + i, 8);
        std::memcpy(&before, at + i - pixel, 8);
        if (here != before)
            return false;
    }
    return true;
}

// A count whose bits are not reckoned yet; every reckoned one is at least 0.
constexpr double kNotReckoned = -1;

}  // namespace

RowFilter::RowFilter(PngFilter filter, int length, int pixelBytes, RowMeasure measure)
    : filter_(filter),
      measure_(measure),
      length_(length),
      pixelBytes_(pixelBytes),
      zeros_(size_t(length), 0) {
    if (filter_ == PngFilter::Adaptive) {
        for (auto& candidate : candidates_)
            candidate.resize(size_t(length));
        // Reckoned for the counts a row meets, when it first meets them: a row of a screen has
        // a few hundred different counts at most, and a table of every count up to the row's
        // length cost a log2 for each, on each piece of rows (2 % of the converter's time).
        if (measure_ == RowMeasure::Entropy) {
            countBits_.assign(size_t(length) + 1, kNotReckoned);
            countBits_[0] = 0;  // a value the row does not hold costs nothing
        }
    }
}

// The bits the row's bytes need, less a constant of the row's length: each byte costs
// log2(length / count) bits when its value occurs count times.
double RowFilter::bitsOf(const uint8_t* bytes) {
    // Four tallies taken in turn: a run of equal bytes would otherwise wait on one counter.
    uint32_t counts[4][256] = {};
    const auto tally = [&counts, bytes](int from, int to) {
        int i = from;
        for (; i + 4 <= to; i += 4) {
            ++counts[0][bytes[i]];
            ++counts[1][bytes[i + 1]];
            ++counts[2][bytes[i + 2]];
            ++counts[3][bytes[i + 3]];
        }
        for (; i < to; ++i)
            ++counts[0][bytes[i]];
    };
    // Where each byte of a stretch repeats the one a pixel before (a flat area: its colour in
    // the row itself, zeros once filtered), the stretch holds each of its first pixel's bytes
    // once a pixel: counted so, sixteen pixels at a time. On screens of text most of a row is
    // such stretches, and counting them byte by byte was a fifth of the converter's time.
    const int pixel = pixelBytes_;
    const int stretch = 16 * pixel;
    // Such stretches one after another are one flat area, counted once it ends; the bytes
    // between flat areas are tallied in one go.
    int plain = 0;
    const uint8_t* flat = nullptr;
    uint32_t flatPixels = 0;
    const auto countFlat = [&] {
        for (int k = 0; k < pixel; ++k)
            counts[k & 3][flat[k]] += flatPixels;
        flatPixels = 0;
    };
    for (int i = stretch; i + stretch <= length_; i += stretch) {
        const uint8_t* at = bytes + i;
        if (!repeatsPixelBefore(at, pixel, stretch)) {
            if (flatPixels > 0) {
                countFlat();
                plain = i;
            }
            continue;
        }
        if (flatPixels == 0) {
            tally(plain, i);
            flat = at;
        }
        flatPixels += 16;
        plain = i + stretch;
    }
    if (flatPixels > 0)
        countFlat();
    tally(plain, length_);
    double bits = 0;
    for (int value = 0; value < 256; ++value) {
        const uint32_t count =
            counts[0][value] + counts[1][value] + counts[2][value] + counts[3][value];
        double& countBits = countBits_[count];
        if (countBits == kNotReckoned)
            countBits = double(count) * std::log2(double(count));
        bits -= countBits;
    }
    return bits;
}

void RowFilter::filter(const uint8_t* row, const uint8_t* previous, uint8_t* out) {
    const uint8_t* above = previous ? previous : zeros_.data();
    if (filter_ != PngFilter::Adaptive) {
        const int type = int(filter_);
        out[0] = uint8_t(type);
        kFilters[type](row, above, length_, pixelBytes_, out + 1);
        return;
    }
    // Every candidate first: a row one of them turns into zeros takes that one (no output rates
    // better by either measure), and its others need no rating. On screens many rows repeat the
    // one above or are flat, and rating the candidates before the zeros was wasted.
    int made = 0;
    uint32_t sums[5] = {};
    for (; made < 5; ++made) {
        sums[made] = kFilters[made](row, above, length_, pixelBytes_, candidates_[made].data());
        if (sums[made] == 0)
            break;
    }
    int best = made;
    if (made == 5) {
        best = 0;
        double smallest = 0;
        for (int type = 0; type < 5; ++type) {
            const double rating = measure_ == RowMeasure::Entropy ? bitsOf(candidates_[type].data())
                                                                  : double(sums[type]);
            if (type == 0 || rating < smallest) {
                smallest = rating;
                best = type;
            }
        }
    }
    out[0] = uint8_t(best);
    std::memcpy(out + 1, candidates_[best].data(), size_t(length_));
}

}  // namespace qv::converter
