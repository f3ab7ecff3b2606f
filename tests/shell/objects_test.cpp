// The annotation objects on the frozen screen, driven through the palette, the menus and
// real mouse events on the canvas.
#include <QDir>
#include <QTemporaryDir>
#include <QToolButton>

#include "objects/adding.h"
#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class ObjectsTest : public AreaTest {
protected:
    ObjectsTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    objects::ObjectsPalette& palette() {
        mainWindow().addObjectItem->trigger();
        return prog.objectsWindows().objectsPalette.get();
    }
    std::vector<int> visibleHandles() {
        std::vector<int> shown;
        for (int k = 0; k < 8; ++k)
            if (items().handles[k]->isVisible())
                shown.push_back(k);
        return shown;
    }
    QRect pixelsOf(const CanvasItem& item) { return picture()->toPixels(item.geometry()); }
    QPoint centreOf(const CanvasItem& item) { return pixelsOf(item).center(); }
    // A rectangle laid by the palette, then hovered so that its overlay lies over it.
    CanvasShape* addRectangle() {
        palette().rectangleButton->click();
        CanvasShape* shape = items().shapes[objectsState().currentShape];
        return shape;
    }
    void hover(const CanvasItem& item) { move(centreOf(item)); }
    int usedShapes() {
        return int(std::count_if(items().shapes.begin(), items().shapes.end(),
                                 [](auto* s) { return s->isVisible(); }));
    }
};

TEST_F(ObjectsTest, AddsTakeTheLowestFreeElementAndAFullPoolChangesNothingButTheMarks) {
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(items().shapes.at(i), addRectangle());
    objectsState().currentShape = 3;
    mainWindow().deleteShapeItem->trigger();
    EXPECT_EQ(addRectangle(), items().shapes[3]) << "a freed index is taken again";

    for (int i = 6; i < objects::kPoolSize; ++i)
        addRectangle();
    const QRectF lastPlace = items().shapes[99]->geometry();
    objectsState().freeze.objectsAdded = false;
    objectsState().currentShape = 42;
    palette().circleButton->click();
    EXPECT_EQ(usedShapes(), 100);
    for (CanvasShape* shape : items().shapes)
        EXPECT_EQ(shape->shape(), CanvasShape::Rectangle);
    EXPECT_EQ(items().shapes[99]->geometry(), lastPlace);
    EXPECT_TRUE(objectsState().freeze.objectsAdded);
    EXPECT_EQ(objectsState().currentShape, 42);
    EXPECT_EQ(visibleHandles(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(items().handles[0]->left(),
              items().shapes[42]->left() - 135 - objects::shapeHandleGap(2));

    mainWindow().releaseItem->trigger();
    flushDrops();
    freeze();
    EXPECT_EQ(usedShapes(), 0) << "a new freeze starts with empty pools";
    EXPECT_TRUE(visibleHandles().empty());
}

TEST_F(ObjectsTest, ThePaletteIsOneWindowPlacedFromTheRightAndNewShapesComeBelowIt) {
    objects::ObjectsPalette& first = palette();
    EXPECT_EQ(&palette(), &first) << "Add Objects... twice shows the same palette";
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Objects"));
    EXPECT_EQ(first.frameGeometry().topLeft(),
              objects::paletteFramePlace(1280, first.frameGeometry().size()));
    EXPECT_EQ(first.size(), QSize(66, 282));

    const QRect frame = first.frameGeometry();
    const QPointF expected = objects::newObjectPlace(QRectF(frame), 15, 15);
    CanvasShape* rectangle = addRectangle();
    EXPECT_EQ(rectangle->geometry(), QRectF(expected, QSizeF(1500, 750)));
    EXPECT_EQ(rectangle->borderWidth(), 2);
    EXPECT_EQ(rectangle->borderColor(), QColor(Qt::red));
    EXPECT_EQ(rectangle->fillStyle(), 1);
    EXPECT_FALSE(rectangle->opaque());

    first.move(frame.topLeft() - QPoint(300, 50));
    const struct {
        QToolButton* button;
        CanvasShape::Shape figure;
        double height;
    } rows[] = {{first.roundedRectangleButton, CanvasShape::RoundedRectangle, 750},
                {first.ellipseButton, CanvasShape::Oval, 750},
                {first.circleButton, CanvasShape::Circle, 1500}};
    for (const auto& row : rows) {
        row.button->click();
        CanvasShape* shape = items().shapes[objectsState().currentShape];
        EXPECT_EQ(shape->shape(), row.figure);
        EXPECT_EQ(shape->geometry(),
                  QRectF(expected - QPointF(4500, 750), QSizeF(1500, row.height)));
    }
    EXPECT_EQ(visibleHandles(), (std::vector<int>{0, 2, 4, 6})) << "a circle shows its corners";
    // The hidden side handles move with the others and stay hidden.
    CanvasShape* circle = items().shapes[objectsState().currentShape];
    circle->move(circle->left() + 1500, circle->top());
    const QRectF side = items().handles[1]->geometry();
    objects::moveShapeHandles(*picture(), items());
    EXPECT_EQ(items().handles[1]->geometry(), side.translated(1500, 0));
    EXPECT_EQ(visibleHandles(), (std::vector<int>{0, 2, 4, 6}));
    EXPECT_EQ(items().shapeOverlay->geometry(), circle->geometry());
}

TEST_F(ObjectsTest, TheNoticeComesOncePerShowingOfThePaletteAndOnlyWithTheAutomaticMenu) {
    const QString notice =
        QStringLiteral("Autopopup Contextmenu will be disabled for this session !");
    settings().autoPopupMenu = true;
    addRectangle();
    addRectangle();
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().messages[0].text, notice);
    EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(fake.dialogs().messages[0].title, QStringLiteral("Quorvalline"));

    palette().close();
    flushDrops();
    addRectangle();
    EXPECT_EQ(fake.dialogs().messages.size(), 2u) << "closing and reopening tells again";
    settings().autoPopupMenu = false;
    palette().close();
    flushDrops();
    addRectangle();
    EXPECT_EQ(fake.dialogs().messages.size(), 2u);
}

TEST_F(ObjectsTest, RememberedStylesApplyToTheirFigureOnlyWhenStored) {
    auto& record = objectsState().rectangleDefaults;
    record.remember = true;
    EXPECT_EQ(addRectangle()->borderWidth(), 2) << "the flag without stored values";
    record.borderWidth = 5;
    record.borderStyle = 3;
    record.borderColor = 0xff0000;  // blue
    record.fillColor = 0x00ff00;
    record.fillStyle = 6;
    record.backStyle = 1;
    record.backColor = 0xffffff;
    CanvasShape* styled = addRectangle();
    EXPECT_EQ(styled->borderWidth(), 5);
    EXPECT_EQ(styled->borderStyle(), CanvasShape::Dot);
    EXPECT_EQ(styled->borderColor(), QColor(Qt::blue));
    EXPECT_EQ(styled->fillStyle(), 6);
    EXPECT_TRUE(styled->opaque());
    palette().ellipseButton->click();
    EXPECT_EQ(items().shapes[objectsState().currentShape]->borderWidth(), 2);
    const std::pair<double, int> widths[] = {{2.5, 2}, {3.5, 4}, {0, 1}, {-3, 1}};
    for (const auto& [stored, width] : widths) {
        record.borderWidth = stored;
        EXPECT_EQ(addRectangle()->borderWidth(), width) << stored;
    }
    record.remember = false;
    EXPECT_EQ(addRectangle()->borderWidth(), 2);
}

TEST_F(ObjectsTest, PressingAShapeSelectsItARightPressOpensItsMenuWithoutMarks) {
    CanvasShape* shape = addRectangle();
    addRectangle()->move(100 * 15, 100 * 15);  // current: the second one
    press({20, 20});
    release({20, 20});
    EXPECT_TRUE(visibleHandles().empty());
    EXPECT_FALSE(objectsState().shapeSelected);

    hover(*shape);
    EXPECT_EQ(objectsState().currentShape, 0);
    press(centreOf(*shape));
    EXPECT_TRUE(objectsState().shapeSelected);
    EXPECT_EQ(visibleHandles().size(), 8u);
    release(centreOf(*shape));

    answerNextMenu(mainWindow().shapeOptionsItem);
    press(centreOf(*shape), Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().shapePopup);
    EXPECT_TRUE(visibleHandles().empty());
    EXPECT_FALSE(items().shapeOverlay->isVisible());
    EXPECT_EQ(picture()->mouseHolder(), nullptr) << "the menu took the release";
    EXPECT_TRUE(prog.objectsWindows().shapeOptions->isVisible());
    EXPECT_FALSE(objectsState().freeze.objectsDeleted);
}

TEST_F(ObjectsTest, ADraggedShapeFollowsThePointerAnywhereAndGetsItsHandlesBackAtTheEnd) {
    CanvasShape* shape = addRectangle();
    const QRect start = pixelsOf(*shape);
    hover(*shape);
    press(start.topLeft() + QPoint(10, 5));
    move(start.topLeft() + QPoint(20, 5));
    EXPECT_EQ(items().shapeOverlay->mousePointer(), 15) << "the handles still showed";
    EXPECT_TRUE(visibleHandles().empty());
    move({1275, 795});
    EXPECT_EQ(items().shapeOverlay->mousePointer(), 0);
    release({1275, 795});
    EXPECT_EQ(pixelsOf(*shape), QRect(QPoint(1265, 790), start.size())) << "past the edge";
    EXPECT_EQ(items().shapeOverlay->geometry(), shape->geometry());
    EXPECT_EQ(visibleHandles().size(), 8u);
    EXPECT_EQ(items().handles[4]->left(), shape->left() + shape->width() + 64);
}

TEST_F(ObjectsTest, HandlesResizeByTheirRulesAndARightPressOnlyRecords) {
    CanvasShape* shape = addRectangle();
    shape->setGeometry(300 * 15, 300 * 15, 100 * 15, 50 * 15);
    hover(*shape);
    press(centreOf(*shape));
    release(centreOf(*shape));

    // Handle 4 (bottom-right) to a point beyond the screen's corner.
    const QPoint grip = centreOf(*items().handles[4]);
    press(grip);
    move({1400, 900});
    EXPECT_EQ(items().handles[4]->mousePointer(), 8);
    release({1400, 900});
    EXPECT_EQ(shape->geometry(), QRectF(4500, 4500, 1100 * 15, 600 * 15));
    EXPECT_EQ(items().shapeOverlay->geometry(), shape->geometry());

    // Handle 0 moved above the canvas changes nothing, the left edge included.
    const QRectF before = shape->geometry();
    press(centreOf(*items().handles[0]));
    send(QEvent::MouseMove, {250, -5});
    EXPECT_EQ(shape->geometry(), before);
    move({250, 280});
    EXPECT_EQ(shape->geometry(),
              QRectF(250 * 15, 280 * 15, before.right() - 3750, before.bottom() - 4200));
    release({250, 280});

    const QRectF resized = shape->geometry();
    press(centreOf(*items().handles[3]), Qt::RightButton);
    send(QEvent::MouseMove, {1000, 400});
    release({1000, 400}, Qt::RightButton);
    EXPECT_EQ(shape->geometry(), resized);
}

TEST_F(ObjectsTest, ADoubleClickCapturesTheAreaAgainWithoutTheMarks) {
    drag({10, 10}, {1000, 700});
    CanvasShape* shape = addRectangle();
    shape->move(300 * 15, 300 * 15);
    hover(*shape);
    press(centreOf(*shape));
    release(centreOf(*shape));
    fake.clock().sleeps.clear();
    const int processed = fake.clock().processEventsCalls;
    send(QEvent::MouseButtonDblClick, centreOf(*shape), Qt::LeftButton);
    ASSERT_FALSE(fake.clock().sleeps.empty());
    EXPECT_EQ(fake.clock().sleeps.front(), 300);
    EXPECT_GT(fake.clock().processEventsCalls, processed);
    release(centreOf(*shape));
    // The ring of the border is in the capture; no handle is.
    const QRect ring = pixelsOf(*shape).translated(-11, -11);
    EXPECT_EQ(buffer().pixelColor(ring.topLeft()), QColor(Qt::red));
    const QRect handle = pixelsOf(*items().handles[0]).translated(-11, -11);
    EXPECT_EQ(buffer().pixel(handle.center()), screen(handle.translated(11, 11)).pixel(4, 4));

    // Without handles the capture comes at once.
    press({20, 20});
    release({20, 20});
    hover(*shape);
    fake.clock().sleeps.clear();
    send(QEvent::MouseButtonDblClick, centreOf(*shape), Qt::LeftButton);
    EXPECT_TRUE(std::find(fake.clock().sleeps.begin(), fake.clock().sleeps.end(), 300) ==
                fake.clock().sleeps.end());
}

TEST_F(ObjectsTest, ADeletedShapeLeavesTheNextRightClickCaptureAndItsIndexFree) {
    drag({10, 10}, {1000, 700});
    CanvasShape* shape = addRectangle();
    shape->move(300 * 15, 300 * 15);
    hover(*shape);
    answerNextMenu(mainWindow().deleteShapeItem);
    press(centreOf(*shape), Qt::RightButton);
    EXPECT_FALSE(shape->isVisible());
    EXPECT_EQ(shape->geometry(), QRectF(1, 1, 1, 1));
    EXPECT_FALSE(items().shapeOverlay->isVisible());
    EXPECT_TRUE(objectsState().freeze.objectsDeleted);

    const QRect inside(11, 11, 988, 688);
    answerNextMenu();
    press({500, 750}, Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().contextMenu);
    EXPECT_EQ(buffer(), screen(inside)) << "captured again without the shape";
    EXPECT_FALSE(objectsState().freeze.objectsDeleted);
}

TEST_F(ObjectsTest, TheAreaCommandsHideThePaletteAndOnlyHandlesSquaresOrTheFrameSelect) {
    for (QAction* command : {mainWindow().rectangleModeItem, mainWindow().circleModeItem}) {
        objects::ObjectsPalette& shown = palette();
        command->trigger();
        EXPECT_FALSE(shown.isVisible());
    }

    drag({10, 10}, {400, 300});
    items().imageOutline->show();
    items().shapeOverlay->show();
    items().lineGrabAreas[0]->show();
    fake.clock().sleeps.clear();
    answerNextMenu();
    press({600, 500}, Qt::RightButton);
    EXPECT_TRUE(fake.clock().sleeps.empty()) << "an outline or overlay selects nothing";
    for (CanvasItem* mark : std::initializer_list<CanvasItem*>{
             items().handles[0], items().lineSquares[0], items().textFrame}) {
        mark->show();
        fake.clock().sleeps.clear();
        answerNextMenu();
        press({600, 500}, Qt::RightButton);
        ASSERT_FALSE(fake.clock().sleeps.empty());
        EXPECT_EQ(fake.clock().sleeps.front(), 300);
        EXPECT_FALSE(mark->isVisible());
    }
}

class ImagesTest : public ObjectsTest {
protected:
    ImagesTest() {
        picture_ = QImage(24, 16, QImage::Format_RGB32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x)
                picture_.setPixel(x, y, qRgb(200, x * 10, y * 15));
        path_ = dir_.filePath(QStringLiteral("picture.BMP"));
        picture_.save(path_, "BMP");
    }
    CanvasImage* addPicture() {
        fake.dialogs().paths.push_back(path_);
        palette().imageButton->click();
        return items().images[objectsState().currentImage];
    }
    QTemporaryDir dir_;
    QString path_;
    QImage picture_;
};

TEST_F(ImagesTest, APictureComesAtItsNaturalSizeAndAnUnreadableOneAddsNothing) {
    CanvasImage* image = addPicture();
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(pixelsOf(*image).size(), QSize(24, 16));
    EXPECT_EQ(picture()->render(pixelsOf(*image)), picture_);
    const auto& request = fake.dialogs().fileRequests.back();
    EXPECT_EQ(request.title, QStringLiteral("Open"));
    EXPECT_TRUE(
        request.filter.startsWith(QStringLiteral("Image Files (*.ico,*.bmp,*.jpg, *.gif)")));
    EXPECT_EQ(visibleHandles().size(), 8u);

    addPicture();
    EXPECT_EQ(fake.dialogs().fileRequests.back().directory, dir_.path());

    const QString bad = dir_.filePath(QStringLiteral("notes.jpg"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    objectsState().freeze.objectsAdded = false;
    const struct {
        QString path;
        QString message;
    } rows[] = {{bad, QStringLiteral("481 Invalid picture")},
                {dir_.filePath(QStringLiteral("gone.gif")), QStringLiteral("53 File not found")}};
    for (const auto& row : rows) {
        fake.dialogs().paths.push_back(row.path);
        palette().imageButton->click();
        EXPECT_EQ(fake.dialogs().lastText(), row.message);
        EXPECT_EQ(fake.dialogs().messages.back().icon, platform::MsgIcon::None);
        EXPECT_FALSE(items().images[2]->isVisible());
        EXPECT_EQ(objectsState().currentImage, 1);
        EXPECT_FALSE(objectsState().freeze.objectsAdded);
    }
    palette().imageButton->click();  // cancelled
    EXPECT_FALSE(objectsState().freeze.objectsAdded);
}

TEST_F(ImagesTest, ADraggedImageMovesAsAnOutlineAndJumpsAtTheRelease) {
    CanvasImage* image = addPicture();
    const QRect start = pixelsOf(*image);
    press(start.center());
    release(start.center());
    EXPECT_EQ(pixelsOf(*image), start) << "a click does not move it";

    press(start.center());
    move(start.center() + QPoint(100, 40));
    EXPECT_EQ(image->mousePointer(), 15);
    EXPECT_TRUE(items().imageOutline->isVisible());
    EXPECT_EQ(pixelsOf(*items().imageOutline), start.translated(100, 40));
    EXPECT_EQ(pixelsOf(*image), start);
    const QRectF handleBefore = items().handles[0]->geometry();
    release(start.center() + QPoint(100, 40));
    EXPECT_EQ(pixelsOf(*image), start.translated(100, 40));
    EXPECT_EQ(items().handles[0]->geometry(), handleBefore.translated(1500, 600));
    EXPECT_TRUE(items().imageOutline->isVisible()) << "the outline stays round the image";

    // Handle 4 stretches the picture with the element.
    press(centreOf(*items().handles[4]));
    EXPECT_FALSE(items().imageOutline->isVisible());
    const QRect moved = pixelsOf(*image);
    move(moved.topLeft() + QPoint(48, 32));
    release(moved.topLeft() + QPoint(48, 32));
    EXPECT_EQ(pixelsOf(*image).size(), QSize(48, 32));
    const QImage shown = picture()->render(pixelsOf(*image));
    EXPECT_EQ(shown.pixel(47, 31), picture_.pixel(23, 15));
    EXPECT_EQ(shown.pixel(2, 2), picture_.pixel(1, 1));

    answerNextMenu(mainWindow().deleteImageItem);
    press(pixelsOf(*image).center(), Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().imagePopup);
    EXPECT_FALSE(image->isVisible());
    EXPECT_EQ(pixelsOf(*image).size(), QSize(48, 32)) << "picture and box stay";
    EXPECT_TRUE(objectsState().freeze.objectsDeleted);
}

TEST_F(ImagesTest, HandlesFollowTheImageWhenBothFlagsAreSetAndImageMarksLeaveOthersUp) {
    for (CanvasLabel* grab : items().lineGrabAreas)
        grab->show();
    addRectangle();
    CanvasImage* image = addPicture();
    EXPECT_TRUE(items().lineGrabAreas[1]->isVisible() == false)
        << "the shape's marks cleared the grab areas first";
    for (CanvasLabel* grab : items().lineGrabAreas)
        grab->show();
    objects::showPositionItemsForImage(items());
    EXPECT_TRUE(items().lineGrabAreas[1]->isVisible());
    objectsState().shapeSelected = true;
    objectsState().imageSelected = true;
    objects::moveShapeHandles(*picture(), items());
    EXPECT_EQ(items().handles[0]->left(), image->left() - 135 - 50);
}

}  // namespace
}  // namespace qv::shell::capturetests
