// A band drawn from the empty picture over the objects lying on it: the press on the picture
// keeps the mouse until the release, whatever object the pointer passes or ends on.
#include <algorithm>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class BandOverObjectsTest : public AreaTest {
protected:
    BandOverObjectsTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    QRect pixelsOf(const CanvasItem& item) { return picture()->toPixels(item.geometry()); }
    // Where each kind of object lies, in pixels, and what a capture of it shows.
    CanvasItem* lay(const char* kind) {
        const QString name = QString::fromLatin1(kind);
        CanvasItem* item = nullptr;
        if (name == QLatin1String("rectangle")) {
            item = items().shapes[0];
            items().shapes[0]->setBorderColor(Qt::red);
        } else if (name == QLatin1String("image")) {
            QImage dots(60, 40, QImage::Format_RGB32);
            dots.fill(Qt::blue);
            items().images[0]->setPicture(dots);
            item = items().images[0];
        } else if (name == QLatin1String("text")) {
            items().texts[0]->setCaption(QStringLiteral("A note on the picture"));
            item = items().texts[0];
        } else {
            items().lines[0]->setPoints(400 * 15, 300 * 15, 520 * 15, 360 * 15);
            items().lines[0]->setBorderColor(Qt::green);
            items().lines[0]->show();
            return items().lines[0];
        }
        if (name != QLatin1String("text"))
            item->setGeometry(400 * 15, 300 * 15, 120 * 15, 60 * 15);
        else
            item->move(400 * 15, 300 * 15);
        item->show();
        return item;
    }
    bool marksShown() {
        const auto shown = [](const CanvasItem* mark) { return mark->isVisible(); };
        return shown(items().shapeOverlay) || shown(items().imageOutline) ||
               shown(items().textFrame) ||
               std::any_of(items().lineGrabAreas.begin(), items().lineGrabAreas.end(), shown) ||
               std::any_of(items().handles.begin(), items().handles.end(), shown);
    }
};

TEST_F(BandOverObjectsTest, ABandEndingInsideAnObjectLeavesItAndCapturesTheBand) {
    const char* kinds[] = {"rectangle", "image", "text", "line"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        CanvasItem* object = lay(kind);
        const QRectF before = object->geometry();
        const QPoint middle = pixelsOf(*object).center();
        const QPoint from(200, 150);
        const QRect inside(from + QPoint(1, 1), middle - QPoint(2, 2));
        const QImage expected = picture()->render(
            inside, [](const CanvasItem& item) { return item.role() == CanvasItem::Role::Object; });
        captureState().freeze.captureAvailable = false;

        // Hovered before the press, the object shows its marks; the press takes them away.
        move(middle);
        press(from);
        for (int step = 1; step <= 10; ++step)
            move(from + (middle - from) * step / 10);
        EXPECT_FALSE(marksShown()) << "the object took the hover marks under the band";
        move(middle);
        release(middle);

        EXPECT_EQ(object->geometry(), before) << "the object moved";
        EXPECT_TRUE(object->isVisible());
        EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
        EXPECT_TRUE(captureState().freeze.captureAvailable) << "no capture";
        EXPECT_EQ(bandPixels(), QRect(from, middle - QPoint(1, 1)));
        EXPECT_EQ(buffer(), expected);
        EXPECT_EQ(fake.clipboard().imageContent, expected);
        EXPECT_EQ(picture()->mouseHolder(), nullptr);
        frozenScreen().clearObjects();
    }
}

TEST_F(BandOverObjectsTest, APressAfterALostReleaseIsTheObjectsAgain) {
    CanvasItem* image = lay("image");
    const QRect start = pixelsOf(*image);
    // The release of a press on the picture never comes; the next press falls on the image.
    press({100, 100});
    held = Qt::NoButton;
    press(start.center());
    move(start.center() + QPoint(30, 20));
    release(start.center() + QPoint(30, 20));
    EXPECT_EQ(pixelsOf(*image), start.translated(30, 20));
}

}  // namespace
}  // namespace qv::shell::capturetests
