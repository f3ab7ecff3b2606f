// Objects on a frozen screen scaled by 1.5: events come in logical pixels, objects and
// captures count device pixels.
#include <QToolButton>

#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class ScaledObjectsTest : public AreaTest {
protected:
    static constexpr qreal kRatio = 1.5;

    void sendLogical(QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        fake.desktop().cursor = (at * kRatio).toPoint();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, picture()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(picture(), &event);
    }
};

TEST_F(ScaledObjectsTest, AShapeMovesByDevicePixelsAndIsCapturedWhereItShows) {
    ASSERT_EQ(picture()->devicePixelRatioF(), kRatio) << "QT_SCALE_FACTOR=1.5 expected";
    mainWindow().addObjectItem->trigger();
    objects::ObjectsPalette& palette = prog.objectsWindows().objectsPalette.get();
    EXPECT_EQ(palette.size(), QSize(66, 282)) << "the palette grows with its pictures";
    palette.rectangleButton->click();
    const objects::ObjectItems& items = frozenScreen().objectLayer->items();
    CanvasShape* shape = items.shapes[0];
    shape->move(300 * 15, 300 * 15);

    // The shape's middle, device pixel (350, 325), is logical (233.33, 216.67).
    const QPointF middle(350 / kRatio, 325 / kRatio);
    sendLogical(QEvent::MouseMove, middle, Qt::NoButton);
    sendLogical(QEvent::MouseButtonPress, middle, Qt::LeftButton);
    sendLogical(QEvent::MouseMove, middle + QPointF(40, 20), Qt::LeftButton);
    sendLogical(QEvent::MouseButtonRelease, middle + QPointF(40, 20), Qt::NoButton);
    EXPECT_EQ(shape->geometry(), QRectF(360 * 15, 330 * 15, 100 * 15, 50 * 15));
    EXPECT_EQ(picture()->toPixels(items.handles[0]->geometry()).size(), QSize(9, 9));

    sendLogical(QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    sendLogical(QEvent::MouseMove, {340, 280}, Qt::LeftButton);
    sendLogical(QEvent::MouseMove, {340, 280}, Qt::LeftButton);
    sendLogical(QEvent::MouseButtonRelease, {340, 280}, Qt::NoButton);
    // The band runs from device pixel (300, 300); its inside starts one further.
    const QImage captured = buffer();
    ASSERT_EQ(captured.size(), QSize(208, 118));
    EXPECT_EQ(captured.pixelColor(360 - 301, 330 - 301), QColor(Qt::red));
    EXPECT_EQ(captured.pixelColor(359 - 301, 329 - 301), QColor(Qt::red));
    EXPECT_EQ(captured.pixel(380 - 301, 350 - 301), screen(QRect(380, 350, 1, 1)).pixel(0, 0));
}

}  // namespace
}  // namespace qv::shell::capturetests
