#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/numbers.h"

namespace qv::toolkit {
namespace {

TEST(Numbers, RoundsHalfToEven) {
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},
                                               {-1.5, -2}, {-2.5, -2}, {2.51, 3}};
    for (auto [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
    EXPECT_EQ(toInt(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(toInt(-1e12), std::numeric_limits<int>::min());
    EXPECT_EQ(toInt(std::nan("")), 0);
}

TEST(Numbers, LeadingNumberReadsTheNumberAtTheStart) {
    const std::pair<const char*, double> cases[] = {
        {" 1 2 3", 123}, {"12.5mm", 12.5}, {"1,5", 1},     {"-3.25", -3.25}, {"abc", 0},
        {"1e3", 1000},   {"2D2", 200},     {"1e", 1},      {"&HFFFF", -1},   {"&O17", 15},
        {"&Hzz", 0},     {".5", 0.5},      {"1.2.3", 1.2},
    };
    for (auto [in, out] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(in), out) << in;
}

TEST(Numbers, IsNumericHonoursTheDecimalSeparator) {
    struct Case {
        const char* text;
        const char* sep;
        bool numeric;
        double value;
    };
    const Case cases[] = {
        {" 12.5 ", ".", true, 12.5}, {"12,5", ",", true, 12.5}, {"12,5", ".", false, 0},
        {"12.5", ",", false, 0},     {"1e2", ".", true, 100},   {"1e", ".", false, 0},
        {"  ", ".", false, 0},       {"1 2", ".", false, 0},    {"&HFF", ".", true, 255},
        {".", ".", false, 0},        {"5.", ".", true, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNumeric(c.text, c.sep), c.numeric) << c.text << " with " << c.sep;
        EXPECT_DOUBLE_EQ(numberFromText(c.text, c.sep), c.value) << c.text;
    }
}

TEST(Numbers, NumberTextUsesFifteenDigitsAndTheSeparator) {
    struct Case {
        double value;
        const char* sep;
        const char* text;
    };
    const Case cases[] = {
        {25 / 25.4, ",", "0,984251968503937"},
        {0, ".", "0"},
        {-2.5, ",", "-2,5"},
        {10 * 25.4, ".", "254"},
        {1e16, ".", "1E+16"},
        {0.0000015, ".", "1.5E-06"},
        {123456.789, ".", "123456.789"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberText(c.value, c.sep), c.text) << c.value;
}

}  // namespace
}  // namespace qv::toolkit
