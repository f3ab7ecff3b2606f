// A capture holds what the frozen window shows inside the band, pixel for pixel, wherever the
// band cuts the dotted and dashed borders of the objects: compared with what the window has
// painted, after a drag that repainted the picture piece by piece as the band grew.
#include <QScreen>

#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class CaptureMatchesScreenTest : public AreaTest {
protected:
    CaptureMatchesScreenTest() {
        settings().autoPopupMenu = false;
        settings().showCurrentSize = true;
        // The window system's own events of the freeze come first.
        QCoreApplication::processEvents();
    }

    CanvasShape* lay(CanvasShape::Shape kind, CanvasShape::BorderStyle style, QRect pixels) {
        CanvasShape* shape = picture()->addShape(CanvasItem::Role::Object);
        shape->setShape(kind);
        shape->setBorderStyle(style);
        shape->setBorderColor(Qt::red);
        shape->setGeometry(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15,
                           pixels.height() * 15);
        return shape;
    }

    // The pointer goes from one corner to the other in steps, and the window paints after
    // each, as it does for a user.
    void dragPainting(QPoint from, QPoint to) {
        press(from);
        QCoreApplication::processEvents();
        for (int step = 1; step <= 8; ++step) {
            move(from + (to - from) * step / 8);
            QCoreApplication::processEvents();
        }
        move(to);
        release(to);
        QCoreApplication::processEvents();
    }

    // What the window has painted, read from its backing store.
    QImage shown() {
        FrozenScreen& window = frozenScreen();
        return window.screen()
            ->grabWindow(window.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
};

int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST_F(CaptureMatchesScreenTest, TheBandsInsideEqualsTheScreenWhereverItCutsDashesAndDots) {
    // Width-1 dotted and dashed borders, at odd and even offsets, of every figure.
    lay(CanvasShape::Rectangle, CanvasShape::Dot, {101, 101, 201, 121});
    lay(CanvasShape::Rectangle, CanvasShape::Dash, {400, 100, 200, 120});
    lay(CanvasShape::Oval, CanvasShape::Dot, {101, 300, 201, 151});
    lay(CanvasShape::RoundedRectangle, CanvasShape::Dash, {400, 301, 221, 140});
    lay(CanvasShape::Circle, CanvasShape::Dash, {700, 101, 151, 151});
    lay(CanvasShape::RoundedRectangle, CanvasShape::Dot, {700, 300, 150, 170});
    lay(CanvasShape::Oval, CanvasShape::Dash, {900, 500, 180, 101});
    // Bands from corner to corner, each cutting some of the borders.
    const std::pair<QPoint, QPoint> bands[] = {
        {{150, 60}, {351, 181}},   {{151, 61}, {350, 180}},  {{60, 150}, {250, 250}},
        {{61, 151}, {251, 251}},   {{450, 80}, {650, 200}},  {{451, 81}, {651, 201}},
        {{380, 150}, {480, 260}},  {{150, 280}, {260, 400}}, {{151, 281}, {261, 401}},
        {{380, 350}, {520, 470}},  {{381, 351}, {521, 471}}, {{680, 80}, {780, 170}},
        {{681, 81}, {781, 171}},   {{800, 200}, {880, 490}}, {{850, 480}, {1000, 560}},
        {{851, 481}, {1001, 561}}, {{90, 90}, {1100, 620}},
    };
    for (const auto& [from, to] : bands) {
        SCOPED_TRACE(::testing::Message()
                     << from.x() << "," << from.y() << " to " << to.x() << "," << to.y());
        dragPainting(from, to);
        ASSERT_EQ(bandPixels(), QRect(from, to - QPoint(1, 1)));
        const QImage inside = shown().copy(bandPixels().adjusted(1, 1, -1, -1));
        EXPECT_EQ(differing(buffer(), inside), 0);
    }
}

}  // namespace
}  // namespace qv::shell::capturetests
