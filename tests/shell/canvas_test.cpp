#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class CanvasTest : public CaptureTest {
protected:
    // The canvas shows a white picture of the given size.
    void whitePicture(QSize size) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        canvas.setPicture(picture);
    }
    FrozenCanvas canvas;
};

TEST_F(CanvasTest, RendersThePictureWithItsVisibleItemsInZOrder) {
    whitePicture({40, 30});
    // Twips at 15 per pixel: a red frame at (2,3) of 10 x 5 pixels under a blue one.
    CanvasShape* red = canvas.addShape(CanvasItem::Role::Band);
    red->setBorderColor(Qt::red);
    red->setGeometry(30, 45, 150, 75);
    CanvasShape* blue = canvas.addShape(CanvasItem::Role::Object);
    blue->setBorderColor(Qt::blue);
    blue->setGeometry(30, 45, 30, 30);
    CanvasShape* hidden = canvas.addShape(CanvasItem::Role::Selection);
    hidden->setGeometry(0, 0, 600, 450);
    hidden->hide();

    const QImage shown = canvas.render(QRect(0, 0, 40, 30));
    EXPECT_EQ(shown.pixel(2, 3), QColor(Qt::blue).rgb());
    EXPECT_EQ(shown.pixel(11, 7), QColor(Qt::red).rgb());
    EXPECT_EQ(shown.pixel(12, 8), QColor(Qt::white).rgb());
    EXPECT_EQ(shown.pixel(0, 0), QColor(Qt::white).rgb());
    EXPECT_FALSE(canvas.anyVisible(CanvasItem::Role::Selection));

    canvas.bringToFront(red);
    EXPECT_EQ(canvas.render(QRect(2, 3, 1, 1)).pixel(0, 0), QColor(Qt::red).rgb());
}

TEST_F(CanvasTest, LinesRunBetweenTheirEndsInEitherDirection) {
    whitePicture({20, 20});
    CanvasLine* line = canvas.addLine(CanvasItem::Role::Object);
    line->setPoints(2 * 15, 12 * 15, 12 * 15, 2 * 15);  // up to the right
    EXPECT_EQ(line->geometry(), QRectF(30, 30, 150, 150));
    const QImage shown = canvas.render(QRect(0, 0, 20, 20));
    const QRgb black = QColor(Qt::black).rgb();
    EXPECT_EQ(shown.pixel(2, 11), black);
    EXPECT_EQ(shown.pixel(11, 2), black);
    EXPECT_NE(shown.pixel(2, 2), black);
    // Areas reaching past the picture are black there.
    EXPECT_EQ(canvas.render(QRect(18, 18, 4, 4)).pixel(3, 3), black);
}

}  // namespace
}  // namespace qv::shell::capturetests
