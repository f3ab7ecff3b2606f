#include <gtest/gtest.h>

#include <QToolButton>
#include <set>

#include "objects/adding.h"
#include "objects/handles.h"
#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"

namespace qv::objects {
namespace {

TEST(HandlePlaces, ShapesKeepAGapThatGrowsWithTheBorderImagesAFixedOne) {
    const QRectF object(3000, 2000, 1500, 750);
    const std::vector<QPointF> shape = {{2801, 1801}, {3682.5, 1801}, {4564, 1801}, {4564, 2307.5},
                                        {4564, 2814}, {3682.5, 2814}, {2801, 2814}, {2801, 2307.5}};
    const std::vector<QPointF> image = {{2815, 1815}, {3682.5, 1815}, {4550, 1815}, {4550, 2307.5},
                                        {4550, 2800}, {3682.5, 2800}, {2815, 2800}, {2815, 2307.5}};
    const auto shapePlaces = handlePlaces(object, 135, shapeHandleGap(2));
    const auto imagePlaces = handlePlaces(object, 135, kImageHandleGap);
    EXPECT_EQ(std::vector<QPointF>(shapePlaces.begin(), shapePlaces.end()), shape);
    EXPECT_EQ(std::vector<QPointF>(imagePlaces.begin(), imagePlaces.end()), image);
    EXPECT_EQ(shapeHandleGap(1), 57);
    EXPECT_EQ(shapeHandleGap(99), 743);
    EXPECT_EQ(shapeHandleGap(2), 64);
}

// Baseline: left 1500, width 1500 (right 3000), top 1500, height 750 (bottom 2250).
TEST(HandleRules, TheDraggedEdgesGoToThePointerOnlyWhenEveryConditionHolds) {
    const QRectF base(1500, 1500, 1500, 750);
    const QRectF elsewhere(100, 100, 10, 10);  // where the object is now: rules ignore it
    const Baseline b = Baseline::of(base);
    const struct {
        int handle;
        QPointF at;
        std::optional<QRectF> result;
    } rows[] = {
        {0, {1200, 1100}, QRectF(1200, 1100, 1800, 1150)},
        {0, {1200, 0}, std::nullopt},  // above the canvas: the left edge stays too
        {0, {0, 1100}, std::nullopt},
        {0, {3000, 1100}, std::nullopt},
        {1, {9999, 1000}, QRectF(100, 1000, 10, 1250)},
        {1, {10, 2250}, std::nullopt},
        {2, {3600, 1200}, QRectF(100, 1200, 2100, 1050)},
        {2, {1500, 1200}, std::nullopt},
        {3, {90000, 5}, QRectF(100, 100, 88500, 10)},  // no outer bound right
        {3, {1500, 5}, std::nullopt},
        {4, {3300, 2700}, QRectF(100, 100, 1800, 1200)},
        {4, {3300, 1500}, std::nullopt},
        {5, {0, 60000}, QRectF(100, 100, 10, 58500)},
        {6, {1485, 2265}, QRectF(1485, 100, 1515, 765)},
        {6, {-15, 2265}, std::nullopt},
        {7, {2985, 9}, QRectF(2985, 100, 15, 10)},  // one pixel wide at the narrowest
        {7, {3000, 9}, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(resizedByHandle(row.handle, b, row.at.x(), row.at.y(), elsewhere), row.result)
            << "handle " << row.handle << " at " << row.at.x() << "," << row.at.y();
}

class HandlePointers : public shell::capturetests::AreaTest {};

// The pointer over each handle of a selected shape shows the way that handle sizes it: found by
// where the handle lies around the shape, hovered with the mouse.
TEST_F(HandlePointers, EachHandleShowsTheSizingPointerOfItsPlace) {
    settings().autoPopupMenu = false;
    mainWindow().addObjectItem->trigger();
    prog.objectsWindows().objectsPalette.get().rectangleButton->click();
    const ObjectItems& items = frozenScreen().objectLayer->items();
    const QRect shape = picture()->toPixels(items.shapes[prog.objects.currentShape]->geometry());
    move(shape.center());
    press(shape.center());
    release(shape.center());

    // Row: above, beside, below the shape; column: left of, across, right of it.
    const Qt::CursorShape byPlace[3][3] = {
        {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor},
        {Qt::SizeHorCursor, Qt::ArrowCursor, Qt::SizeHorCursor},
        {Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor},
    };
    const auto side = [](int at, int low, int high) { return at < low ? 0 : at > high ? 2 : 1; };
    std::set<std::pair<int, int>> places;
    for (const CanvasItem* handle : items.handles) {
        ASSERT_TRUE(handle->isVisible());
        const QPoint centre = picture()->toPixels(handle->geometry()).center();
        const int row = side(centre.y(), shape.top(), shape.bottom());
        const int column = side(centre.x(), shape.left(), shape.right());
        places.insert({row, column});
        move(centre);
        EXPECT_EQ(picture()->cursor().shape(), byPlace[row][column])
            << "handle at row " << row << ", column " << column;
    }
    EXPECT_EQ(places.size(), 8u) << "one handle at each corner and each side";
    move(shape.center() + QPoint(shape.width(), shape.height()) * 2);
    EXPECT_NE(picture()->cursor().shape(), Qt::SizeFDiagCursor) << "away from the handles";
}

TEST(PalettePlacement, ThePaletteSits100PixelsInAndNewObjectsCentreBelowIt) {
    // A 1024-pixel screen and a palette frame of 74 x 302 pixels.
    const QPoint place = paletteFramePlace(1024, QSize(74, 302));
    EXPECT_EQ(place, QPoint(850, 100));
    EXPECT_EQ(newObjectPlace(QRectF(place, QSizeF(74, 302)), 15, 15),
              QPointF(837 * 15, float(462.4 * 15)));
    // A moved palette moves the point with it.
    EXPECT_EQ(newObjectPlace(QRectF(10, 20, 74, 302), 15, 15),
              QPointF((10 + 37 - 50) * 15, float((20 + 1.2 * 302) * 15)));
}

TEST(RememberedWidths, RoundHalvesToEvenAndStayDrawable) {
    const std::pair<double, int> rows[] = {{2, 2},  {5, 5},   {2.5, 2},  {3.5, 4}, {0, 1},
                                           {-3, 1}, {99, 99}, {150, 99}, {0.4, 1}, {98.6, 99}};
    for (const auto& [typed, width] : rows)
        EXPECT_EQ(rememberedWidth(typed), width) << typed;
}

}  // namespace
}  // namespace qv::objects
