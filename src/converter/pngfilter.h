#pragma once

#include <cstdint>
#include <vector>

namespace qv::converter {

// The five PNG row filters, and the per-row choice among them.
enum class PngFilter { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4, Adaptive = 5 };

// How Adaptive estimates which filter's output packs best. The smallest sum of magnitudes (as
// signed bytes) is the usual estimate and wins on patterns; the fewest bits by the bytes' own
// frequencies wins on photographs, by 1-2 %.
enum class RowMeasure { Magnitude, Entropy };

// Filters the rows of one picture in order. Adaptive picks, for each row, the filter whose
// output the measure rates best. No single filter stayed below the toolkit's files on every
// screen measured: None was a third larger on photographs, Up and Paeth a tenth larger on
// screenshots.
class RowFilter {
public:
    // length: bytes of one row; pixelBytes: bytes of one pixel (3 or 4).
    RowFilter(PngFilter filter, int length, int pixelBytes,
              RowMeasure measure = RowMeasure::Magnitude);

    // Writes the filter type byte and the filtered row (length + 1 bytes) to out. previous is
    // the row above, or null for the first row.
    void filter(const uint8_t* row, const uint8_t* previous, uint8_t* out);

private:
    double bitsOf(const uint8_t* bytes);

    PngFilter filter_;
    RowMeasure measure_;
    int length_;
    int pixelBytes_;
    std::vector<double> countBits_;       // entropy: count * log2(count) for the counts met
    std::vector<uint8_t> zeros_;          // the row above the first
    std::vector<uint8_t> candidates_[5];  // adaptive: each filter's output for the row
};

}  // namespace qv::converter
