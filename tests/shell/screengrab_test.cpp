#include "shell/screengrab.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using ScreenGrabTest = CaptureTest;

TEST_F(ScreenGrabTest, DesktopPictureIsTheWholeScreenWithoutAPalette) {
    shellState().screenpixelwidth = 1280;
    shellState().screenpixelheight = 800;
    const QImage picture = Module2::GrabDesktopPicture();
    EXPECT_EQ(picture, fake.desktop().screen);
    EXPECT_EQ(picture.colorCount(), 0);
}

TEST_F(ScreenGrabTest, WindowRectanglesCountFromTheWindowsCorner) {
    const platform::WindowId window = addWindow(QRect(1200, 100, 200, 100));
    const QImage inside = Module2::GrabWindowPicture(window, false, 10, 20, 30, 40);
    EXPECT_EQ(inside, fake.desktop().screen.copy(1210, 120, 30, 40));

    // Beyond the screen's edge the picture keeps its size and is black.
    const QImage across = Module2::GrabWindowPicture(window, true, 50, 0, 100, 10);
    ASSERT_EQ(across.size(), QSize(100, 10));
    EXPECT_EQ(across.copy(0, 0, 30, 10), fake.desktop().screen.copy(1250, 100, 30, 10));
    EXPECT_EQ(across.pixel(30, 0), qRgb(0, 0, 0));
    EXPECT_EQ(across.pixel(99, 9), qRgb(0, 0, 0));
}

TEST(BitmapToPicture, KeepsAPaletteOnlyForIndexedBitmaps) {
    const QList<QRgb> palette(256, qRgb(1, 2, 3));
    QImage indexed(2, 2, QImage::Format_Indexed8);
    EXPECT_EQ(Module2::BitmapToPicture(indexed, palette).colorTable(), palette);
    const QImage trueColour(2, 2, QImage::Format_RGB32);
    EXPECT_EQ(Module2::BitmapToPicture(trueColour, palette).colorCount(), 0);
}

}  // namespace
}  // namespace qv::shell::capturetests
