#include <gtest/gtest.h>

#include "output/saveformat.h"

namespace qv::output {
namespace {

TEST(SaveFormat, ExtensionsCompareExactlyAndUnknownMeansBitmap) {
    for (const char* ext : {".PNG", "", "png"})
        EXPECT_EQ(saveFormatFor(ext).extension, ".bmp") << ext;
    EXPECT_EQ(saveFormatForFilterIndex(3).converterType, "image/jpeg");
    EXPECT_EQ(saveFormatForFilterIndex(5).extension, ".bmp");
    // Qt takes "*.jpg," for a pattern of its own.
    EXPECT_EQ(saveFormatFor(".jpg").qtFilter(), "Joint Photographic Experts Group  (*.jpg *.jpeg)");
}

}  // namespace
}  // namespace qv::output
