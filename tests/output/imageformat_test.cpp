#include <gtest/gtest.h>

#include "output/imageformat.h"

namespace qv::output {
namespace {

TEST(ImageFormat, ExtensionsCompareExactlyAndUnknownMeansBitmap) {
    for (const char* ext : {".PNG", "", "png"})
        EXPECT_EQ(imageFormatFor(ext).extension, ".bmp") << ext;
    EXPECT_EQ(imageFormatForFilterIndex(3).converterType, "image/jpeg");
    EXPECT_EQ(imageFormatForFilterIndex(5).extension, ".bmp");
    // Qt takes "*.jpg," for a pattern of its own.
    EXPECT_EQ(imageFormatFor(".jpg").qtFilter(),
              "Joint Photographic Experts Group  (*.jpg *.jpeg)");
}

}  // namespace
}  // namespace qv::output
