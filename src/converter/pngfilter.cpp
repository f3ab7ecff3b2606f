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
        if (measure_ == RowMeasure::Entropy) {
            countBits_.resize(size_t(length) + 1);
            for (size_t count = 1; count < countBits_.size(); ++count)
                countBits_[count] = double(count) * std::log2(double(count));
        }
    }
}

// The bits the row's bytes need, less a constant of the row's length: each byte costs
// log2(length / count) bits when its value occurs count times.
double RowFilter::bitsOf(const uint8_t* bytes) const {
    // Four tallies taken in turn: a run of equal bytes would otherwise wait on one counter.
    uint32_t counts[4][256] = {};
    int i = 0;
    for (; i + 4 <= length_; i += 4) {
        ++counts[0][bytes[i]];
        ++counts[1][bytes[i + 1]];
        ++counts[2][bytes[i + 2]];
        ++counts[3][bytes[i + 3]];
    }
    for (; i < length_; ++i)
        ++counts[0][bytes[i]];
    double bits = 0;
    for (int value = 0; value < 256; ++value) {
        bits -=
            countBits_[counts[0][value] + counts[1][value] + counts[2][value] + counts[3][value]];
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
    int best = 0;
    double smallest = 0;
    for (int type = 0; type < 5; ++type) {
        uint8_t* candidate = candidates_[type].data();
        const uint32_t sum = kFilters[type](row, above, length_, pixelBytes_, candidate);
        if (sum == 0) {
            best = type;  // all zeros: no output rates better by either measure
            break;
        }
        const double rating = measure_ == RowMeasure::Entropy ? bitsOf(candidate) : double(sum);
        if (type == 0 || rating < smallest) {
            smallest = rating;
            best = type;
        }
    }
    out[0] = uint8_t(best);
    std::memcpy(out + 1, candidates_[best].data(), size_t(length_));
}

}  // namespace qv::converter
