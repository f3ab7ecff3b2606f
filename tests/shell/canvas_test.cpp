#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

TEST_F(CaptureTest, CanvasRendersTheVisibleItemsInZOrder) {
    FrozenCanvas canvas;
    QImage white(40, 30, QImage::Format_RGB32);
    white.fill(Qt::white);
    canvas.setPicture(white);
    // Twips at 15 per pixel: a red frame at (2,3) of 10 x 5 pixels under a blue one.
    CanvasShape* red = canvas.addShape(CanvasItem::Role::Band);
    red->setBorderColor(Qt::red);
    red->setGeometry(30, 45, 150, 75);
    CanvasShape* blue = canvas.addShape(CanvasItem::Role::Object);
    blue->setBorderColor(Qt::blue);
    blue->setGeometry(30, 45, 30, 30);
    CanvasLine* line = canvas.addLine(CanvasItem::Role::Object);
    line->setPoints(20 * 15, 22 * 15, 30 * 15, 12 * 15);  // up to the right

    const QImage shown = canvas.render(QRect(0, 0, 40, 30));
    const QRgb black = QColor(Qt::black).rgb();
    const QRgb whiteRgb = QColor(Qt::white).rgb();
    EXPECT_EQ(shown.pixel(2, 3), QColor(Qt::blue).rgb());
    EXPECT_EQ(shown.pixel(11, 7), QColor(Qt::red).rgb());
    // Both end pixels are drawn, each end converted on its own.
    EXPECT_EQ(shown.pixel(20, 22), black);
    EXPECT_EQ(shown.pixel(30, 12), black);
    EXPECT_EQ(shown.pixel(20, 12), whiteRgb);
    EXPECT_EQ(canvas.render(QRect(38, 28, 4, 4)).pixel(3, 3), black) << "beyond the picture";

    canvas.bringToFront(red);
    EXPECT_EQ(canvas.render(QRect(2, 3, 1, 1)).pixel(0, 0), QColor(Qt::red).rgb());
}

}  // namespace
}  // namespace qv::shell::capturetests
