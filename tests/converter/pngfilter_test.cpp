// The filter each row takes: the one whose output rates best, by either rating.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "converter/pngfilter.h"

namespace qv::converter {
namespace {

using Bytes = std::vector<uint8_t>;

// The five filters of the PNG format, byte by byte.
Bytes filtered(int type, const Bytes& row, const Bytes& above, int pixel) {
    Bytes out(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
        const int a = i >= size_t(pixel) ? row[i - size_t(pixel)] : 0;
        const int b = above[i];
        const int c = i >= size_t(pixel) ? above[i - size_t(pixel)] : 0;
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int predictors[5] = {0, a, b, (a + b) / 2,
                                   pa <= pb && pa <= pc ? a : (pb <= pc ? b : c)};
        out[i] = uint8_t(row[i] - predictors[type]);
    }
    return out;
}

// Fewer is better: the bits the bytes need by their own frequencies (less a constant of the
// length), or the sum of their magnitudes as signed numbers.
double rating(const Bytes& bytes, RowMeasure measure) {
    if (measure == RowMeasure::Magnitude) {
        double sum = 0;
        for (const uint8_t b : bytes)
            sum += std::abs(int(int8_t(b)));
        return sum;
    }
    std::vector<uint32_t> counts(256);
    for (const uint8_t b : bytes)
        ++counts[b];
    double bits = 0;
    for (const uint32_t count : counts)
        bits -= count > 0 ? double(count) * std::log2(double(count)) : 0.0;
    return bits;
}

// A filter that leaves only zeros wins at once; otherwise the best rating, the first of equals.
int bestFilter(const Bytes& row, const Bytes& above, int pixel, RowMeasure measure) {
    int best = 0;
    double smallest = 0;
    for (int type = 0; type < 5; ++type) {
        const Bytes out = filtered(type, row, above, pixel);
        if (std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0; }))
            return type;
        const double r = rating(out, measure);
        if (type == 0 || r < smallest) {
            smallest = r;
            best = type;
        }
    }
    return best;
}

struct Rows {
    const char* what;
    int pixel;
    Bytes row, above;
};

// Rows of what screens and photographs hold: flat areas of a colour or of zeros once filtered,
// meeting text and grain at every offset within and across the spans a rating may skip.
std::vector<Rows> rowsOfPictures() {
    std::mt19937 random(5);
    std::vector<Rows> table;
    for (const int pixel : {3, 4}) {
        for (const int pixels : {1, 15, 16, 31, 33, 64, 100, 1920}) {
            const size_t length = size_t(pixels * pixel);
            const auto flat = [&](uint8_t shade) {
                Bytes row(length);
                for (size_t i = 0; i < length; ++i)
                    row[i] = uint8_t(shade + 17 * (i % size_t(pixel)));
                return row;
            };
            Bytes grain(length), text = flat(30), twoColours = flat(30), above = flat(31);
            for (size_t i = 0; i < length; ++i) {
                grain[i] = uint8_t(i / 5 + random() % 9);
                if (random() % 23 == 0)
                    text[i] = uint8_t(random());
                if (i >= length / 2 + size_t(pixels % 7))
                    twoColours[i] = uint8_t(200 + i % size_t(pixel));
            }
            Bytes noisyAbove = grain;
            for (uint8_t& b : noisyAbove)
                b = uint8_t(b + random() % 3);
            table.push_back({"grain", pixel, grain, noisyAbove});
            table.push_back({"flat colour under another", pixel, flat(30), above});
            table.push_back({"text on a flat background", pixel, text, flat(30)});
            table.push_back({"text under text", pixel, text, noisyAbove});
            table.push_back({"two flat colours meeting", pixel, twoColours, grain});
            table.push_back({"the row above again", pixel, text, text});
            table.push_back({"black", pixel, Bytes(length, 0), grain});
            table.push_back({"one grey twice", pixel, Bytes(length, 0x80), Bytes(length, 0x80)});
        }
        // Windows, text and pictures side by side: flat areas between stretches of grain or
        // dithering, of any colour or of a few, over a row like it.
        const auto patchwork = [&](bool fewColours) {
            std::vector<Bytes> palette(3, Bytes(size_t(pixel)));
            for (Bytes& colour : palette)
                std::generate(colour.begin(), colour.end(), [&] { return uint8_t(random()); });
            Bytes row;
            while (row.size() < size_t(600 * pixel)) {
                const size_t pixels = 1 + random() % 60;
                const bool isFlat = random() % 3 != 0;
                Bytes colour = palette[random() % 3];
                if (!fewColours)
                    std::generate(colour.begin(), colour.end(), [&] { return uint8_t(random()); });
                for (size_t i = 0; i < pixels; ++i) {
                    const Bytes& dot = isFlat ? colour : palette[random() % 3];
                    for (int k = 0; k < pixel; ++k)
                        row.push_back(isFlat || fewColours ? dot[size_t(k)]
                                                           : uint8_t(random() % 40));
                }
            }
            return row;
        };
        for (int i = 0; i < 400; ++i) {
            Bytes row = patchwork(i % 2 == 0), above = patchwork(i % 4 == 0);
            above.resize(row.size());
            table.push_back({"patchwork", pixel, row, above});
        }
    }
    return table;
}

TEST(RowFilterChoice, EachRowTakesTheFilterThatRatesBest) {
    for (const RowMeasure measure : {RowMeasure::Entropy, RowMeasure::Magnitude}) {
        for (const Rows& rows : rowsOfPictures()) {
            SCOPED_TRACE(testing::Message()
                         << rows.what << ", " << rows.row.size() << " bytes, pixels of "
                         << rows.pixel << (measure == RowMeasure::Entropy ? ", entropy" : ""));
            const int length = int(rows.row.size());
            RowFilter filter(PngFilter::Adaptive, length, rows.pixel, measure);
            Bytes out(rows.row.size() + 1);
            filter.filter(rows.row.data(), rows.above.data(), out.data());
            const int expected = bestFilter(rows.row, rows.above, rows.pixel, measure);
            ASSERT_EQ(out[0], expected);
            EXPECT_EQ(Bytes(out.begin() + 1, out.end()),
                      filtered(expected, rows.row, rows.above, rows.pixel));
        }
    }
}

}  // namespace
}  // namespace qv::converter
