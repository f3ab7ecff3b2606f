// The objects' windows on displays scaled by 1, 1.5 and 2: what they show must not depend on
// how the scale rounds.
#include <QPixmap>
#include <QToolButton>

#include "objects/lineoptionsdialog.h"
#include "objects/objectspalette.h"
#include "objects/shapeoptionsdialog.h"
#include "support/scaledprogram.h"
#include "toolkit/canvas.h"

namespace qv::objects {
namespace {

using toolkit::CanvasShape;
using ObjectWindowsAtScale = testsupport::ScaledProgramTest;

// The device pixels in which two pictures of the same size differ; empty when none do.
QRect differing(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_P(ObjectWindowsAtScale, PreviewsShowTheirBackgroundToTheLastDevicePixel) {
    LineOptionsDialog line;
    ShapeOptionsDialog shape;
    for (QWidget* window : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&shape)}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->show();
        toolkit::FrozenCanvas* canvas = window == &line ? line.previewCanvas : shape.previewCanvas;
        const QImage seen = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_GE(seen.width(), canvas->width() * ratio() - 1);
        const QRgb background = seen.pixel(1, 1);
        ASSERT_NE(background, qRgb(0, 0, 0));
        int black = 0;
        for (int y = 0; y < seen.height(); ++y)
            black += seen.pixel(seen.width() - 1, y) == qRgb(0, 0, 0) ? 1 : 0;
        for (int x = 0; x < seen.width(); ++x)
            black += seen.pixel(x, seen.height() - 1) == qRgb(0, 0, 0) ? 1 : 0;
        EXPECT_EQ(black, 0) << "black pixels along the right or bottom edge";
        EXPECT_EQ(seen.pixel(seen.width() - 1, seen.height() - 1), background);
    }
}

TEST_P(ObjectWindowsAtScale, PalettePicturesSitWholeInsideTheirButtons) {
    ObjectsPalette palette;
    palette.show();
    const int margin = int(4 * ratio());  // device pixels
    for (QToolButton* button :
         {palette.textButton, palette.rectangleButton, palette.roundedRectangleButton,
          palette.ellipseButton, palette.circleButton, palette.lineButton, palette.arrowButton,
          palette.imageButton}) {
        SCOPED_TRACE(button->toolTip().toStdString());
        EXPECT_TRUE(palette.rect().contains(button->geometry()));
        const QImage withPicture = button->grab().toImage();
        const QIcon picture = button->icon();
        button->setIcon(QIcon());
        const QImage without = button->grab().toImage();
        button->setIcon(picture);
        const QRect drawn = differing(withPicture, without);
        ASSERT_FALSE(drawn.isEmpty());
        const QRect inside = withPicture.rect().adjusted(margin, margin, -margin, -margin);
        EXPECT_TRUE(inside.contains(drawn))
            << "picture at " << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x"
            << drawn.height() << " in a button of " << withPicture.width() << "x"
            << withPicture.height();
        // Whole and in the middle: a picture cut at one side would lean to the other.
        const int left = drawn.left();
        const int right = withPicture.width() - 1 - drawn.right();
        EXPECT_LE(std::abs(left - right), int(3 * ratio()))
            << left << " left, " << right << " right";
    }
}

// A preview canvas may start between two device pixels (an odd logical position at 1.5); the
// shape keeps its fill inside its border there as on the frozen screen.
TEST_P(ObjectWindowsAtScale, TheShapePreviewFillsInsideItsBorder) {
    ShapeOptionsDialog dialog;
    dialog.show();
    auto& preview = static_cast<CanvasShape&>(*dialog.previewCanvas->items().front());
    ShapeStyle{CanvasShape::Rectangle, false,  Qt::white, CanvasShape::Solid, 1, Qt::blue,
               CanvasShape::FillSolid, Qt::red}
        .applyTo(preview);
    const QImage seen = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QRect border, fill;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x) {
            border |= seen.pixel(x, y) == qRgb(0, 0, 255) ? QRect(x, y, 1, 1) : QRect();
            fill |= seen.pixel(x, y) == qRgb(255, 0, 0) ? QRect(x, y, 1, 1) : QRect();
        }
    EXPECT_EQ(border.size(), dialog.previewCanvas->toPixels(preview.geometry()).size());
    EXPECT_EQ(fill, border.adjusted(1, 1, -1, -1));
}

INSTANTIATE_TEST_SUITE_P(Scales, ObjectWindowsAtScale, ::testing::Values(1.0, 1.5, 2.0),
                         testsupport::scaleName);

}  // namespace
}  // namespace qv::objects
