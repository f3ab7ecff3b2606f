// Marking an area on displays scaled by 1, 1.5 and 2, the pointer delivered as the window system
// reports it: on whole device pixels, which Qt turns into logical positions for the widget.
#include <QTest>
#include <QWindow>

#include "shell/capture_fixture.h"
#include "support/scaledprogram.h"

namespace qv::shell {
namespace {

class AreaAtScale : public testsupport::ScaledProgramTest {
protected:
    void SetUp() override {
        ScaledProgramTest::SetUp();
        fake->desktop().screen = capturetests::patternScreen(1280, 800);
        prog->optionsWindows().optionsDialog.get();
        prog->options.settings.showCurrentSize = true;
        prog->shellWindows().mainWindow.get().freezeItem->trigger();
    }

    FrozenScreen& frozen() { return prog->shellWindows().frozenScreen.get(); }
    QRect bandPixels() { return frozen().canvas->toPixels(frozen().band->geometry()); }
    QImage screen(const QRect& pixels) { return fake->desktop().screen.copy(pixels); }
    QImage shown() {
        return frozen().canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    void send(QEvent::Type type, QPoint device, Qt::MouseButtons held) {
        fake->desktop().cursor = device;
        QWindow* native = frozen().windowHandle();
        const QPointF logical = QPointF(device) / ratio();
        // Apart in time, so that no press counts as the second of a double click.
        time_ += 1000;
        qt_handleMouseEvent(native, logical, native->mapToGlobal(logical), held,
                            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, type,
                            Qt::NoModifier, int(time_));
    }
    // The band follows one move late, so the pointer rests at the far corner for two moves.
    void drag(QPoint from, QPoint to) {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

private:
    qint64 time_ = 0;
};

// The same drag from any device pixel gives the same band, readout and capture, placed at the
// pixel pressed, on every scale.
TEST_P(AreaAtScale, TheBandStartsAndEndsAtThePixelsUnderThePointer) {
    ASSERT_EQ(frozen().canvas->devicePixelRatioF(), ratio());
    for (int p = 300; p <= 303; ++p) {
        SCOPED_TRACE(::testing::Message() << "pressed at " << p);
        const QPoint press(p, p);

        prog->capture.shape = capture::SelectionShape::Rectangle;
        drag(press, press + QPoint(200, 120));
        const QRect band(p, p, 200, 120);
        EXPECT_EQ(bandPixels(), band);
        EXPECT_EQ(frozen().sizeReadout->caption(), " Size: 200 X 120 pixels ");
        EXPECT_EQ(prog->capture.buffer, screen(band.adjusted(1, 1, -1, -1)));
        // The outline lies on the row and column pressed, the picture just inside it.
        const QImage picture = shown();
        const QRgb frame = qRgb(255, 0, 0);
        EXPECT_EQ(picture.pixel(p, p + 60), frame);
        EXPECT_EQ(picture.pixel(p + 60, p), frame);
        EXPECT_EQ(picture.pixel(p + 1, p + 60), screen(QRect(p + 1, p + 60, 1, 1)).pixel(0, 0));

        // A circle about the pixel pressed, its radius 1.6 times the 50 pixels dragged down.
        prog->capture.shape = capture::SelectionShape::Circle;
        drag(press, press + QPoint(30, 50));
        const QRect square(p - 80, p - 80, 160, 160);
        EXPECT_EQ(bandPixels(), square);
        EXPECT_EQ(frozen().sizeReadout->caption(), " Diameter: 160 pixels ");
        EXPECT_EQ(prog->capture.buffer.size(), QSize(158, 158));
        EXPECT_EQ(prog->capture.buffer.copy(40, 40, 78, 78),
                  screen(QRect(square.topLeft() + QPoint(41, 41), QSize(78, 78))));
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, AreaAtScale, ::testing::Values(1.0, 1.5, 2.0),
                         testsupport::scaleName);

}  // namespace
}  // namespace qv::shell
