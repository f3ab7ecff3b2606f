// Lines and arrows on the frozen screen: added by the palette, edited through their grab
// areas with real mouse events, deleted from their menu, drawn exactly.
#include <QToolButton>
#include <cmath>

#include "objects/adding.h"
#include "objects/lines.h"
#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

TEST(ArrowHeads, TheStrokesPointBackAlongTheShaftWhicheverWayItRuns) {
    const struct {
        const char* name;
        QPointF tip, end;
        double shaftX2;
        QPointF stroke1, stroke2;
    } rows[] = {
        {"right", {3000, 3000}, {4050, 3000}, 4050, {3142.89, 3082.50}, {3142.89, 2917.50}},
        {"left", {3000, 3000}, {1950, 3000}, 1950, {2857.11, 2917.50}, {2857.11, 3082.50}},
        {"down", {3000, 3000}, {3000, 4050}, 3001, {2917.64, 3142.97}, {3082.64, 3142.82}},
        {"45 degrees", {3000, 3000}, {4050, 4050}, 4050, {3042.71, 3159.38}, {3159.38, 3042.71}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const objects::ArrowHead head =
            objects::arrowHead(row.tip.x(), row.tip.y(), row.end.x(), row.end.y(), 15);
        EXPECT_EQ(head.shaftX2, row.shaftX2);
        EXPECT_NEAR(head.stroke1End.x(), row.stroke1.x(), 0.01);
        EXPECT_NEAR(head.stroke1End.y(), row.stroke1.y(), 0.01);
        EXPECT_NEAR(head.stroke2End.x(), row.stroke2.x(), 0.01);
        EXPECT_NEAR(head.stroke2End.y(), row.stroke2.y(), 0.01);
    }
}

class LinesTest : public AreaTest {
protected:
    LinesTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    objects::ObjectsPalette& palette() {
        mainWindow().addObjectItem->trigger();
        return prog.objectsWindows().objectsPalette.get();
    }
    CanvasLine* current() { return items().lines[objectsState().currentLine]; }
    CanvasLine* addLine(bool arrow = false) {
        (arrow ? palette().arrowButton : palette().lineButton)->click();
        return current();
    }
    // A line of the current element laid between two points, with its marks.
    CanvasLine* layLine(QPointF from, QPointF to, bool arrow = false) {
        CanvasLine* line = addLine(arrow);
        line->setPoints(from.x(), from.y(), to.x(), to.y());
        if (arrow)
            objects::layArrowHead(items(), objectsState().currentLine, 15);
        objects::showPositionItemsForLine(items());
        return line;
    }
    std::vector<QPointF> grabCorners() {
        std::vector<QPointF> corners;
        for (CanvasLabel* grab : items().lineGrabAreas)
            corners.push_back(grab->geometry().topLeft());
        return corners;
    }
    std::vector<QPointF> squareCorners() {
        std::vector<QPointF> corners;
        for (CanvasImage* square : items().lineSquares)
            corners.push_back(square->geometry().topLeft());
        return corners;
    }
    bool squaresShown() {
        return std::all_of(items().lineSquares.begin(), items().lineSquares.end(),
                           [](auto* s) { return s->isVisible(); });
    }
    bool anySquareShown() {
        return std::any_of(items().lineSquares.begin(), items().lineSquares.end(),
                           [](auto* s) { return s->isVisible(); });
    }
    QPointF centre(const CanvasItem& item) { return item.geometry().center(); }
};

TEST_F(LinesTest, NewLinesAndArrowsGoBelowThePaletteWithTheirRecords) {
    const QPointF place = objects::newObjectPlace(QRectF(palette().frameGeometry()), 15, 15);
    CanvasLine* line = addLine();
    EXPECT_EQ(QPointF(line->x1(), line->y1()), place);
    EXPECT_EQ(QPointF(line->x2(), line->y2()), place + QPointF(1050, 0));
    EXPECT_EQ(line->borderWidth(), 2);
    EXPECT_EQ(line->borderColor(), QColor(Qt::red));
    EXPECT_EQ(line->borderStyle(), CanvasShape::Solid);
    EXPECT_FALSE(items().headStrokes1[0]->isVisible());
    EXPECT_TRUE(objectsState().freeze.objectsAdded);

    CanvasLine* arrow = addLine(true);
    ASSERT_EQ(arrow, items().lines[1]);
    for (CanvasLine* stroke : {items().headStrokes1[1], items().headStrokes2[1]}) {
        EXPECT_TRUE(stroke->isVisible());
        EXPECT_EQ(QPointF(stroke->x1(), stroke->y1()), place) << "from the tip";
        EXPECT_NEAR(stroke->x2() - place.x(), 9.526 * 15, 0.01);
        EXPECT_NEAR(std::abs(stroke->y2() - place.y()), 5.5 * 15, 0.01);
        EXPECT_EQ(stroke->borderWidth(), 2);
    }
    EXPECT_LT(items().headStrokes2[1]->y2(), place.y()) << "one above, one below";

    // The records serve only with the flag and a stored width; arrows take their own.
    auto& s = objectsState();
    s.lineDefaults = {0xff0000, 2, 2.5};
    EXPECT_EQ(addLine()->borderColor(), QColor(Qt::red)) << "flag off";
    s.rememberLineStyle = true;
    s.arrowDefaults = {};
    EXPECT_EQ(addLine(true)->borderWidth(), 2) << "no arrow width stored";
    CanvasLine* remembered = addLine();
    EXPECT_EQ(remembered->borderColor(), QColor(Qt::blue));
    EXPECT_EQ(remembered->borderStyle(), CanvasShape::Dash);
    EXPECT_EQ(remembered->borderWidth(), 2) << "2.5 rounds to even";
    s.arrowDefaults = {0x00ff00, 3, 3.5};
    const int i = addLine(true) == items().lines[5] ? 5 : -1;
    ASSERT_EQ(i, 5);
    for (CanvasLine* part : {items().lines[5], items().headStrokes1[5], items().headStrokes2[5]}) {
        EXPECT_EQ(part->borderColor(), QColor(Qt::green));
        EXPECT_EQ(part->borderStyle(), CanvasShape::Dot);
        EXPECT_EQ(part->borderWidth(), 4);
    }

    // A deleted first line is taken again by either kind; an arrow's strokes go with it.
    s.rememberLineStyle = false;
    for (bool arrowAgain : {false, true}) {
        s.currentLine = 0;
        mainWindow().deleteLineItem->trigger();
        EXPECT_EQ(addLine(arrowAgain), items().lines[0]);
        EXPECT_EQ(items().headStrokes1[0]->isVisible(), arrowAgain);
    }
}

TEST_F(LinesTest, GrabAreasCentreOnTheEndsAndTheMidpointWithTheirSquares) {
    const struct {
        QPointF from, to;
        std::vector<QPointF> corners;
    } rows[] = {
        {{3000, 2000}, {4050, 2000}, {{2932.5, 1932.5}, {3457.5, 1932.5}, {3982.5, 1932.5}}},
        {{4000, 3000}, {2000, 1000}, {{3932.5, 2932.5}, {2932.5, 1932.5}, {1932.5, 932.5}}},
        {{3000, 3000}, {3000, 3000}, {{2932.5, 2932.5}, {2932.5, 2932.5}, {2932.5, 2932.5}}},
    };
    for (const auto& row : rows) {
        layLine(row.from, row.to);
        EXPECT_EQ(grabCorners(), row.corners);
        EXPECT_EQ(squareCorners(), row.corners);
        EXPECT_TRUE(squaresShown());
        for (CanvasLabel* grab : items().lineGrabAreas) {
            EXPECT_TRUE(grab->isVisible());
            EXPECT_EQ(grab->toolTip(), QStringLiteral("Click here to edit"));
        }
    }

    // A line added while a shape is selected hides its handles but keeps it the selection.
    palette().rectangleButton->click();
    ASSERT_TRUE(items().handles[0]->isVisible());
    addLine();
    EXPECT_FALSE(items().handles[0]->isVisible());
    EXPECT_TRUE(objectsState().shapeSelected);
}

TEST_F(LinesTest, DraggingTheGrabAreasMovesAnEndOrTheWholeLine) {
    // Grab area 2 lies on pixels 266..274 x 129..137; its centre is (270, 133).
    CanvasLine* line = layLine({3000, 2000}, {4050, 2000});
    press({270, 133});
    EXPECT_TRUE(objectsState().lineDragging);
    EXPECT_EQ(objectsState().lineGrabIndex, 2);
    EXPECT_TRUE(squaresShown());
    move({290, 143});
    EXPECT_FALSE(anySquareShown()) << "hidden from the first move";
    EXPECT_EQ(QPointF(line->x2(), line->y2()), QPointF(4350, 2150));
    EXPECT_EQ(QPointF(line->x1(), line->y1()), QPointF(3000, 2000));
    EXPECT_EQ(centre(*items().lineGrabAreas[1]), QPointF(3675, 2075));
    // Pointers follow the squares as they were before the move hid them.
    for (CanvasLabel* grab : items().lineGrabAreas)
        EXPECT_EQ(grab->mousePointer(), 15);
    move({290, 143});
    for (CanvasLabel* grab : items().lineGrabAreas)
        EXPECT_EQ(grab->mousePointer(), 0) << "no square: the default pointer";
    EXPECT_EQ(QPointF(line->x2(), line->y2()), QPointF(4350, 2150)) << "no travel, no change";
    release({290, 143});
    EXPECT_FALSE(objectsState().lineDragging);
    EXPECT_TRUE(squaresShown());
    EXPECT_EQ(squareCorners(), grabCorners());
    move({292, 143});
    for (CanvasLabel* grab : items().lineGrabAreas)
        EXPECT_EQ(grab->mousePointer(), 15);
    EXPECT_EQ(line->x2(), 4350) << "a move without a press only sets pointers";

    // The middle keeps length and direction; every grab area travels with the pointer.
    const QPoint middle = picture()->toPixels(items().lineGrabAreas[1]->geometry()).center();
    const std::vector<QPointF> before = grabCorners();
    press(middle);
    move(middle + QPoint(-40, 20));
    release(middle + QPoint(-40, 20));
    EXPECT_EQ(QPointF(line->x1(), line->y1()), QPointF(3000 - 600, 2000 + 300));
    EXPECT_EQ(QPointF(line->x2(), line->y2()), QPointF(4350 - 600, 2150 + 300));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(grabCorners()[k], before[k] + QPointF(-600, 300));

    // The start moves alone; the drag is not bounded by the canvas.
    const QPoint start = picture()->toPixels(items().lineGrabAreas[0]->geometry()).center();
    press(start);
    move(start + QPoint(-400, 0));
    release(start + QPoint(-400, 0));
    EXPECT_EQ(line->x1(), 2400 - 6000);
    EXPECT_EQ(QPointF(line->x2(), line->y2()), QPointF(3750, 2450));
}

TEST_F(LinesTest, TheArrowHeadFollowsTheTipAndAVerticalShaftTiltsOnlyForArrows) {
    for (bool arrow : {false, true}) {
        SCOPED_TRACE(arrow ? "arrow" : "line");
        const int i = arrow ? 1 : 0;
        // Tip at (3000, 3000): its end grab area covers pixels 266..274 x 196..204.
        CanvasLine* line = layLine({3000, 3000}, {4050, 3000}, arrow);
        ASSERT_EQ(line, items().lines[i]);
        press({270, 200});
        move({200, 270});  // the end straight below the tip: (3000, 4050)
        release({200, 270});
        EXPECT_EQ(line->x2(), arrow ? 3001 : 3000);
        EXPECT_EQ(line->y2(), 4050);
        EXPECT_EQ(items().headStrokes1[i]->isVisible(), arrow);
        if (arrow) {
            EXPECT_NEAR(items().headStrokes1[i]->x2(), 2917.64, 0.01);
            EXPECT_NEAR(items().headStrokes1[i]->y2(), 3142.97, 0.01);
            EXPECT_NEAR(items().headStrokes2[i]->x2(), 3082.64, 0.01);
        }
    }
}

TEST_F(LinesTest, ARightPressOpensTheLineMenuWithoutADragAndDeleteEmptiesTheElement) {
    drag({10, 10}, {1000, 700});
    CanvasLine* line = layLine({3000, 2000}, {4050, 2000}, true);
    answerNextMenu(mainWindow().deleteLineItem);
    press({270, 133}, Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().linePopup);
    EXPECT_FALSE(objectsState().lineDragging);
    EXPECT_EQ(picture()->mouseHolder(), nullptr);
    EXPECT_FALSE(line->isVisible());
    EXPECT_FALSE(items().headStrokes1[0]->isVisible());
    EXPECT_FALSE(items().headStrokes2[0]->isVisible());
    EXPECT_EQ(QRectF(line->x1(), line->y1(), line->x2(), line->y2()), QRectF(1, 1, 1, 1));
    for (CanvasLabel* grab : items().lineGrabAreas)
        EXPECT_FALSE(grab->isVisible());
    EXPECT_FALSE(anySquareShown());
    EXPECT_TRUE(objectsState().freeze.objectsDeleted);
    move({300, 200});
    EXPECT_EQ(QPointF(line->x2(), line->y2()), QPointF(1, 1)) << "no drag after the menu";
}

TEST_F(LinesTest, ADoubleClickCapturesAgainPausingOnlyWhenTheSquaresShow) {
    drag({10, 10}, {1000, 700});
    layLine({3000, 2000}, {4050, 2000});
    for (bool squares : {true, false}) {
        SCOPED_TRACE(squares ? "squares" : "none");
        objects::showPositionItemsForLine(items());
        if (!squares) {
            for (CanvasImage* square : items().lineSquares)
                square->hide();
        }
        fake.clock().sleeps.clear();
        session().buffer = QImage();
        send(QEvent::MouseButtonDblClick, {230, 133}, Qt::LeftButton);
        EXPECT_FALSE(anySquareShown());
        const auto& sleeps = fake.clock().sleeps;
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 300), squares ? 1 : 0);
        release({230, 133});
        EXPECT_EQ(buffer().pixelColor(230 - 11, 133 - 11), QColor(Qt::red)) << "with the line";
    }

    // A release while another line is current leaves the squares where they are.
    layLine({6000, 6000}, {7050, 6000});
    press({470, 400});
    objectsState().currentLine = 0;
    const std::vector<QPointF> before = squareCorners();
    move({480, 400});
    release({480, 400});
    EXPECT_FALSE(anySquareShown());
    EXPECT_EQ(squareCorners(), before);
}

TEST_F(LinesTest, LinesAreDrawnByThePixelRuleAndCapturedAsShown) {
    const QRgb red = QColor(Qt::red).rgb();
    auto redPixels = [&](const QImage& image) {
        std::vector<QPoint> found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == red)
                    found.push_back({x, y});
        return found;
    };
    QImage white(120, 120, QImage::Format_RGB32);
    white.fill(Qt::white);
    picture()->setPicture(white);
    const QRect view(0, 0, 120, 120);
    const struct {
        QPoint from, to;
        int width;
        QRect covered;  // for the straight ones
    } rows[] = {
        {{10, 20}, {80, 20}, 2, {10, 19, 71, 2}},  // a new default line: 71 x 2
        {{80, 20}, {10, 20}, 3, {10, 19, 71, 3}},  // either direction
        {{40, 10}, {40, 60}, 2, {39, 10, 2, 51}},  // vertical, both ends
        {{40, 10}, {40, 60}, 1, {40, 10, 1, 51}},
    };
    CanvasLine* line = picture()->addLine(CanvasItem::Role::Object);
    line->setBorderColor(Qt::red);
    for (const auto& row : rows) {
        line->setPoints(row.from.x() * 15, row.from.y() * 15, row.to.x() * 15, row.to.y() * 15);
        line->setBorderWidth(row.width);
        const std::vector<QPoint> shown = redPixels(picture()->render(view));
        EXPECT_EQ(int(shown.size()), row.covered.width() * row.covered.height());
        for (const QPoint& p : shown)
            EXPECT_TRUE(row.covered.contains(p)) << p.x() << "," << p.y();
    }
    // Ends convert on their own, half to even: 7.5 px goes to 8, 8.5 px to 8.
    line->setBorderWidth(1);
    line->setPoints(7.5 * 15, 5 * 15, 8.5 * 15, 5 * 15);
    EXPECT_EQ(redPixels(picture()->render(view)), std::vector<QPoint>{QPoint(8, 5)});
    // Dashes and dots show only at width 1.
    line->setPoints(10 * 15, 30 * 15, 40 * 15, 30 * 15);
    line->setBorderStyle(CanvasShape::Dash);
    EXPECT_EQ(redPixels(picture()->render(view)).size(), 21u);  // 5 dashes of 4, one pixel
    line->setBorderWidth(2);
    EXPECT_EQ(redPixels(picture()->render(view)).size(), 62u);

    // A wide diagonal and an arrow head show in any band exactly as on the whole screen.
    line->setBorderStyle(CanvasShape::Solid);
    line->setBorderWidth(5);
    line->setPoints(12 * 15, 100 * 15, 97 * 15, 41 * 15);
    const QImage whole = picture()->render(view);
    for (const QRect band : {QRect(30, 50, 40, 37), QRect(11, 41, 13, 9), QRect(60, 60, 1, 30)})
        EXPECT_EQ(picture()->render(band), whole.copy(band));
}

}  // namespace
}  // namespace qv::shell::capturetests
