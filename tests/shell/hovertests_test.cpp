#include "shell/hovertests.h"
#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class HoverTest : public AreaTest {
protected:
    // The next element of the pool, in use.
    CanvasShape* addShape(const QRect& pixels) {
        CanvasShape* shape = frozenScreen().shapes.at(shapesUsed_++);
        shape->setGeometry(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15,
                           pixels.height() * 15);
        shape->show();
        return shape;
    }
    CanvasLine* addLine(QPoint from, QPoint to) {
        CanvasLine* line = frozenScreen().lines.at(linesUsed_++);
        line->setPoints(from.x() * 15, from.y() * 15, to.x() * 15, to.y() * 15);
        line->show();
        return line;
    }
    int shapesUsed_ = 0;
    int linesUsed_ = 0;
    QPointF twips(QPoint pixels) { return QPointF(pixels) * 15; }
    int shapeAt(QPoint pixels) { return hover::shapeAt(frozenScreen().shapes, twips(pixels)); }
    int lineAt(QPoint pixels) { return hover::lineAt(frozenScreen().lines, twips(pixels), 15, 15); }
};

TEST_F(HoverTest, ShapesAreHitStrictlyInsideAndTheHighestVisibleOneWins) {
    addShape({100, 100, 200, 100});
    addShape({250, 150, 100, 100});
    addShape({0, 0, 1000, 1000})->hide();
    const std::pair<QPoint, int> cases[] = {
        {{100, 150}, -1}, {{101, 150}, 0}, {{299, 199}, 1}, {{300, 120}, -1},
        {{150, 100}, -1}, {{150, 101}, 0}, {{10, 10}, -1},  {{350, 240}, -1},
    };
    for (const auto& [at, hit] : cases)
        EXPECT_EQ(shapeAt(at), hit) << at.x() << "," << at.y();
}

TEST_F(HoverTest, LinesAreHitAtTheirEndsAndMidpointBoundsIncluded) {
    addLine({100, 100}, {300, 100});
    addLine({100, 100}, {300, 100})->hide();
    const std::pair<QPoint, int> cases[] = {
        {{90, 90}, 0},   {{111, 100}, -1}, {{220, 80}, 0},   {{200, 121}, -1},
        {{310, 110}, 0}, {{311, 100}, -1}, {{150, 100}, -1},
    };
    for (const auto& [at, hit] : cases)
        EXPECT_EQ(lineAt(at), hit) << at.x() << "," << at.y();
    addLine({300, 100}, {300, 400});
    EXPECT_EQ(lineAt({305, 105}), 2) << "a later line over the same end wins";
}

TEST_F(HoverTest, MovingOverAShapeLaysTheOverlayOnItWhereThePointerIs) {
    CanvasShape* shape = addShape({100, 100, 200, 100});
    // The position the system reports counts, not the event's.
    fake.desktop().cursor = {150, 150};
    QMouseEvent event(QEvent::MouseMove, QPointF(700, 700), QPointF(700, 700), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture(), &event);
    EXPECT_EQ(prog.objects.currentShape, 0);
    EXPECT_TRUE(frozenScreen().shapeHoverMark->isVisible());
    EXPECT_EQ(frozenScreen().shapeHoverMark->geometry(), shape->geometry());

    // The overlay takes a press on the shape; a press beside it hides the overlay.
    press({150, 150});
    EXPECT_TRUE(frozenScreen().shapeHoverMark->isVisible());
    release({150, 150});
    press({50, 50});
    EXPECT_FALSE(frozenScreen().shapeHoverMark->isVisible());
}

TEST_F(HoverTest, HoveringALinePlacesAllThreeGrabAreas) {
    addLine({10, 10}, {20, 20});
    addLine({100, 100}, {300, 200});
    move({195, 145});
    EXPECT_EQ(prog.objects.currentLine, 1);
    const QPointF centres[] = {twips({100, 100}), twips({200, 150}), twips({300, 200})};
    ASSERT_EQ(frozenScreen().lineGrabAreas.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frozenScreen().lineGrabAreas[i]->geometry(),
                  QRectF(centres[i] - QPointF(67.5, 67.5), QSizeF(135, 135)));
}

}  // namespace
}  // namespace qv::shell::capturetests
