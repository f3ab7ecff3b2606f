#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using CanvasTest = CaptureTest;

TEST_F(CanvasTest, RendersThePictureWithItsVisibleItemsInZOrder) {
    FrozenCanvas canvas;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    canvas.setPicture(picture);
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

}  // namespace
}  // namespace qv::shell::capturetests
