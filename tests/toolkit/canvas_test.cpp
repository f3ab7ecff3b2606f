#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <functional>
#include <set>

#include "toolkit/canvas.h"

namespace qv::toolkit {
namespace {

using Pixels = std::set<std::pair<int, int>>;

QImage whitePicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

Pixels pixelsOf(const QImage& image, QRgb color) {
    Pixels found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                found.insert({x, y});
    return found;
}

Pixels boxPixels(const QRect& box) {
    Pixels set;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            set.insert({x, y});
    return set;
}

class CanvasPixels : public ::testing::Test {
protected:
    CanvasPixels() { canvas.setPicture(whitePicture(200, 150)); }
    // An item at a box in pixels (15 twips each).
    template <class Item>
    Item* place(Item* item, const QRect& pixels) {
        item->setGeometry(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15,
                          pixels.height() * 15);
        return item;
    }
    QImage whole() { return canvas.render(QRect(0, 0, 200, 150)); }

    FrozenCanvas canvas;
};

// The border is centred on the outline: about half of it lies outside the box.
TEST_F(CanvasPixels, BordersCoverTheBoxGrownByHalfTheWidthLessTheBoxShrunkByTheRest) {
    const QRect box(40, 30, 100, 50);
    const struct {
        int width;
        QRect outer;
        QRect inner;
    } rows[] = {
        {1, QRect(40, 30, 100, 50), QRect(41, 31, 98, 48)},
        {2, QRect(39, 29, 102, 52), QRect(41, 31, 98, 48)},
        {3, QRect(39, 29, 102, 52), QRect(42, 32, 96, 46)},
        {7, QRect(37, 27, 106, 56), QRect(44, 34, 92, 42)},
    };
    CanvasShape* shape = place(canvas.addShape(CanvasItem::Role::Object), box);
    shape->setBorderColor(Qt::red);
    for (const auto& row : rows) {
        shape->setBorderWidth(row.width);
        Pixels expected = boxPixels(row.outer);
        for (const auto& p : boxPixels(row.inner))
            expected.erase(p);
        EXPECT_EQ(pixelsOf(whole(), qRgb(255, 0, 0)), expected) << "width " << row.width;
    }
}

TEST_F(CanvasPixels, SquareFiguresStandInTheMiddleAsWideAsTheShorterSide) {
    for (int figure : {CanvasShape::Circle, CanvasShape::Square}) {
        CanvasShape* shape = place(canvas.addShape(CanvasItem::Role::Object), {40, 30, 100, 50});
        shape->setShape(CanvasShape::Shape(figure));
        shape->setBorderColor(Qt::red);
        const Pixels red = pixelsOf(whole(), qRgb(255, 0, 0));
        int left = 1000, right = -1, top = 1000, bottom = -1;
        for (const auto& [x, y] : red) {
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
        EXPECT_EQ(QRect(QPoint(left, top), QPoint(right, bottom)), QRect(65, 30, 50, 50))
            << "figure " << figure;
        shape->hide();
    }
}

// Inside: the back colour, then the pattern in the fill colour anchored to the canvas, then
// the border over both.
TEST_F(CanvasPixels, FillsLieUnderTheBorderAndTheirPatternsStayAnchoredToTheCanvas) {
    CanvasShape* shape = place(canvas.addShape(CanvasItem::Role::Object), {40, 32, 64, 48});
    shape->setBorderColor(Qt::red);
    shape->setFillColor(Qt::blue);
    shape->setOpaque(true);
    shape->setBackColor(Qt::green);
    shape->setFillStyle(0);
    QImage shown = whole();
    EXPECT_EQ(pixelsOf(shown, qRgb(0, 0, 255)), boxPixels({41, 33, 62, 46}));
    EXPECT_TRUE(pixelsOf(shown, qRgb(0, 255, 0)).empty());
    shape->setFillStyle(1);
    EXPECT_EQ(pixelsOf(whole(), qRgb(0, 255, 0)), boxPixels({41, 33, 62, 46}));

    for (int style = 2; style <= 7; ++style) {
        shape->setOpaque(false);
        shape->setFillStyle(style);
        place(shape, {40, 32, 64, 48});
        const QImage at = whole().copy(40, 32, 64, 48);
        const Pixels blue = pixelsOf(at, qRgb(0, 0, 255));
        EXPECT_FALSE(blue.empty()) << style;
        EXPECT_LT(blue.size(), size_t(62 * 46)) << style;
        // Patterns repeat every 8 pixels from the canvas's corner, not from the shape's.
        place(shape, {48, 40, 64, 48});
        EXPECT_EQ(pixelsOf(whole().copy(48, 40, 64, 48), qRgb(0, 0, 255)), blue) << style;
        if (style != 3) {
            place(shape, {40, 33, 64, 48});
            EXPECT_NE(pixelsOf(whole().copy(40, 33, 64, 48), qRgb(0, 0, 255)), blue) << style;
        }
    }
}

TEST_F(CanvasPixels, ImagesShowOneToOneAtTheirSizeAndStretchByNearestPixels) {
    QImage picture(3, 2, QImage::Format_ARGB32);
    const QRgb colors[] = {qRgb(10, 20, 30), qRgb(40, 50, 60),    qRgba(0, 0, 0, 0),
                           qRgb(70, 80, 90), qRgb(100, 110, 120), qRgb(130, 140, 150)};
    for (int i = 0; i < 6; ++i)
        picture.setPixel(i % 3, i / 3, colors[i]);
    CanvasImage* image = place(canvas.addImage(CanvasItem::Role::Object), {11, 7, 3, 2});
    image->setPicture(picture);
    QImage shown = whole();
    EXPECT_EQ(shown.pixel(11, 7), colors[0]);
    EXPECT_EQ(shown.pixel(13, 7), qRgb(255, 255, 255)) << "transparent shows what lies below";
    EXPECT_EQ(shown.pixel(13, 8), colors[5]);
    place(image, {11, 7, 6, 4});
    shown = whole();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (x / 2 != 2 || y / 2 != 0) {
                EXPECT_EQ(shown.pixel(11 + x, 7 + y), colors[(y / 2) * 3 + x / 2]) << x << y;
            }
        }
    }
}

// A capture of an area holds exactly what the window paints there, whether it painted the
// whole canvas or only that part of it, wherever the area's edges cut dashes, dots, sloping
// lines, hatches and pictures.
TEST_F(CanvasPixels, AnAreaRendersExactlyAsTheWindowPaintsIt) {
    CanvasShape* dashed = place(canvas.addShape(CanvasItem::Role::Object), {13, 11, 77, 53});
    dashed->setBorderStyle(CanvasShape::Dash);
    dashed->setBorderColor(Qt::red);
    CanvasShape* dotted = place(canvas.addShape(CanvasItem::Role::Object), {20, 90, 61, 41});
    dotted->setBorderStyle(CanvasShape::Dot);
    CanvasShape* dottedOval = place(canvas.addShape(CanvasItem::Role::Object), {101, 80, 77, 45});
    dottedOval->setShape(CanvasShape::Oval);
    dottedOval->setBorderStyle(CanvasShape::Dot);
    dottedOval->setBorderColor(Qt::blue);
    CanvasLine* line = canvas.addLine(CanvasItem::Role::Object);
    line->setPoints(5 * 15, 140 * 15, 190 * 15, 3 * 15);
    CanvasShape* ellipse = place(canvas.addShape(CanvasItem::Role::Object), {95, 20, 81, 57});
    ellipse->setShape(CanvasShape::Oval);
    ellipse->setFillStyle(7);
    ellipse->setFillColor(Qt::darkGreen);
    ellipse->setBorderWidth(3);
    QImage picture(31, 23, QImage::Format_RGB32);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 31; ++x)
            picture.setPixel(x, y, qRgb(x * 8, y * 11, 99));
    place(canvas.addImage(CanvasItem::Role::Object), {120, 95, 45, 33})->setPicture(picture);
    canvas.resize(200, 150);

    // The window's own paint of the whole canvas, and of the area alone.
    const QImage whole = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto paintedAlone = [this](const QRect& area) {
        // The area's corner lands at the target's origin.
        QImage out(area.size(), QImage::Format_RGB32);
        out.fill(Qt::black);
        canvas.QWidget::render(&out, QPoint(), QRegion(area));
        return out;
    };
    const QRect areas[] = {{17, 13, 51, 37},  {1, 1, 199, 149},  {33, 3, 97, 131},
                           {97, 21, 79, 55},  {121, 97, 41, 29}, {41, 71, 137, 61},
                           {14, 12, 40, 100}, {102, 81, 40, 30}, {130, 60, 60, 40}};
    for (const QRect& area : areas) {
        SCOPED_TRACE(::testing::Message() << "area " << area.x() << "," << area.y());
        const QImage part = canvas.render(area);
        for (const QImage& shown : {whole.copy(area), paintedAlone(area)}) {
            int differing = 0;
            for (int y = 0; y < part.height(); ++y)
                for (int x = 0; x < part.width(); ++x)
                    if (part.pixel(x, y) != shown.pixel(x, y) && differing++ < 5)
                        ADD_FAILURE() << "differs at " << x + area.x() << "," << y + area.y();
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST_F(CanvasPixels, OnlyTheItemsTheFilterAcceptsAreRendered) {
    CanvasShape* mark = place(canvas.addShape(CanvasItem::Role::Selection), {10, 10, 20, 20});
    mark->setBorderColor(Qt::red);
    const QImage objectsOnly = canvas.render(QRect(0, 0, 50, 50), [](const CanvasItem& item) {
        return item.role() == CanvasItem::Role::Object;
    });
    EXPECT_TRUE(pixelsOf(objectsOnly, qRgb(255, 0, 0)).empty());
}

// Mouse events in pixels, sent to the canvas as Qt delivers them.
class CanvasMouseRouting : public CanvasPixels {
protected:
    bool send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(at), button, held, Qt::NoModifier);
        return canvas.routeMouse(event);
    }
    CanvasLabel* mouseArea(const QRect& pixels, std::vector<std::string>& log, std::string name) {
        CanvasLabel* label = place(canvas.addLabel(CanvasItem::Role::Overlay), pixels);
        label->setBackgroundColor(Qt::transparent);
        label->setMouseHandler([&log, name](const CanvasMouse& m) {
            const char* actions[] = {"down", "move", "up", "dblclick"};
            log.push_back(name + " " + actions[m.action] + " " + std::to_string(m.button) + " " +
                          std::to_string(int(m.at.x())) + "," + std::to_string(int(m.at.y())));
        });
        return label;
    }
    std::vector<std::string> log;
};

TEST_F(CanvasMouseRouting, TheTopmostMouseItemHoldsThePressUntilItsButtonIsLetGo) {
    mouseArea({10, 10, 50, 50}, log, "below");
    CanvasLabel* above = mouseArea({30, 30, 50, 50}, log, "above");
    // Shapes take no mouse: a press on one reaches what lies under it.
    place(canvas.addShape(CanvasItem::Role::Object), {0, 0, 200, 150});

    EXPECT_TRUE(send(QEvent::MouseButtonPress, {35, 36}, Qt::LeftButton, Qt::LeftButton));
    EXPECT_TRUE(send(QEvent::MouseMove, {150, 140}, Qt::NoButton, Qt::LeftButton));
    EXPECT_TRUE(send(QEvent::MouseButtonRelease, {150, 140}, Qt::LeftButton, Qt::NoButton));
    EXPECT_TRUE(send(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton));
    EXPECT_FALSE(send(QEvent::MouseMove, {150, 140}, Qt::NoButton, Qt::NoButton));
    above->hide();
    EXPECT_TRUE(send(QEvent::MouseButtonPress, {35, 36}, Qt::RightButton, Qt::RightButton));
    EXPECT_EQ(log, (std::vector<std::string>{"above down 1 75,90", "above move 1 1800,1650",
                                             "above up 1 1800,1650", "below move 0 150,150",
                                             "below down 2 375,390"}));
}

TEST_F(CanvasMouseRouting, ADoubleClickReplacesTheSecondPressAndALostReleaseEndsTheHold) {
    mouseArea({10, 10, 50, 50}, log, "item");
    send(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log, (std::vector<std::string>{"item down 1 150,150", "item up 1 150,150",
                                             "item dblclick 1 150,150", "item up 1 150,150"}));
    // A menu took the release: the next move without a button is no longer the item's.
    send(QEvent::MouseButtonPress, {20, 20}, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(send(QEvent::MouseMove, {150, 140}, Qt::NoButton, Qt::NoButton));
    send(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    canvas.releaseMouseHold();
    EXPECT_EQ(canvas.mouseHolder(), nullptr);
}

TEST_F(CanvasMouseRouting, TheItemsPointerShowsOverItAndWhileItHoldsTheMouse) {
    CanvasLabel* item = mouseArea({10, 10, 50, 50}, log, "item");
    canvas.setAreaCursor(QCursor(Qt::CrossCursor));
    item->setMousePointer(15);
    send(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {150, 140}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseButtonRelease, {150, 140}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(canvas.cursor().shape(), Qt::CrossCursor);
    const std::pair<int, Qt::CursorShape> pointers[] = {
        {0, Qt::ArrowCursor},   {15, Qt::SizeAllCursor},  {8, Qt::SizeFDiagCursor},
        {7, Qt::SizeVerCursor}, {6, Qt::SizeBDiagCursor}, {9, Qt::SizeHorCursor},
        {11, Qt::WaitCursor}};
    for (const auto& [number, shape] : pointers)
        EXPECT_EQ(FrozenCanvas::cursorShape(number), shape) << number;
}

// A white 800 x 600 canvas on the screen that notes which parts of it were painted.
class PaintedCanvas : public FrozenCanvas {
public:
    PaintedCanvas() {
        setPicture(whitePicture(800, 600));
        resize(800, 600);
        show();
    }

    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        FrozenCanvas::paintEvent(event);
    }
};

TEST(CanvasRepaint, AMovedItemRepaintsItsOldAndNewBoxesOnly) {
    PaintedCanvas canvas;
    CanvasShape* shape = canvas.addShape(CanvasItem::Role::Object);
    shape->setBorderWidth(7);
    shape->setGeometry(100 * 15, 100 * 15, 50 * 15, 30 * 15);
    QCoreApplication::processEvents();
    canvas.painted = QRegion();
    shape->move(300 * 15, 200 * 15);
    QCoreApplication::processEvents();
    EXPECT_TRUE(canvas.painted.contains(QRect(96, 96, 58, 38)));
    EXPECT_TRUE(canvas.painted.contains(QRect(296, 196, 58, 38)));
    EXPECT_LT(canvas.painted.boundingRect().width() * canvas.painted.boundingRect().height(),
              800 * 600 / 2);
    EXPECT_FALSE(canvas.painted.contains(QPoint(200, 150)));
}

// A border made thinner leaves nothing of the wide one behind on the screen.
TEST(CanvasRepaint, AThinnerBorderRepaintsWhereTheWiderOneReached) {
    PaintedCanvas canvas;
    CanvasShape* shape = canvas.addShape(CanvasItem::Role::Object);
    shape->setGeometry(100 * 15, 100 * 15, 200 * 15, 100 * 15);
    CanvasLine* line = canvas.addLine(CanvasItem::Role::Object);
    line->setPoints(100 * 15, 400 * 15, 500 * 15, 400 * 15);
    const struct {
        const char* name;
        std::function<void(int)> setWidth;
        QRect wideReach;  // pixels a width of 99 covers
    } rows[] = {
        {"shape", [shape](int w) { shape->setBorderWidth(w); }, QRect(51, 51, 298, 198)},
        {"line", [line](int w) { line->setBorderWidth(w); }, QRect(100, 351, 401, 99)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.setWidth(99);
        QCoreApplication::processEvents();
        canvas.painted = QRegion();
        row.setWidth(2);
        QCoreApplication::processEvents();
        const QRect painted = canvas.painted.boundingRect();
        // (QRegion::contains(QRect) only asks for an overlap.)
        EXPECT_TRUE((QRegion(row.wideReach) - canvas.painted).isEmpty())
            << painted.x() << "," << painted.y() << " " << painted.width() << "x"
            << painted.height();
    }
}

}  // namespace
}  // namespace qv::toolkit
