#include <gtest/gtest.h>

#include "toolkit/twips.h"

namespace qv::toolkit {
namespace {

TEST(Twips, ConvertsWithTheScreenResolution) {
    EXPECT_EQ(twipsPerPixel(120), 12);
    EXPECT_EQ(twipsPerPixel(0), 15);
    EXPECT_EQ(pixelsToTwips(1920, 15), 28800);
    EXPECT_EQ(twipsToPixels(22.5, 15), 2);  // 1.5 pixels rounds to even
    EXPECT_EQ(twipsToPixels(100, 0), 0);
}

}  // namespace
}  // namespace qv::toolkit
