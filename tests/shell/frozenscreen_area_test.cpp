#include <cmath>

#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using AreaCaptureTest = AreaTest;

TEST_F(AreaCaptureTest, SizeThresholdsDecideWhetherTheBandIsCopied) {
    struct Row {
        QSize band;      // pixels, outline included
        QSize captured;  // empty: nothing copied
        bool announced;  // a capture is announced (available and valid) after the mouse-up
    };
    const Row rows[] = {
        {{1, 1}, {}, false},       {{5, 5}, {}, false},  {{6, 6}, {4, 4}, true},
        {{6, 100}, {4, 98}, true}, {{100, 3}, {}, true},  // long enough to count, too thin to copy:
                                                          // the last one stays
    };
    const QPoint from(300, 200);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.band.width() << "x" << row.band.height());
        drag({20, 20}, {80, 60});  // an earlier capture
        const QImage earlier = buffer();
        fake.clipboard().clears = 0;

        drag(from, from + QPoint(row.band.width(), row.band.height()));
        EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
        EXPECT_EQ(captureState().freeze.captureAvailable, row.announced);
        EXPECT_EQ(captureState().captureValid, row.announced);
        const bool copied = !row.captured.isEmpty();
        EXPECT_EQ(buffer(), copied ? screen(QRect(from + QPoint(1, 1), row.captured)) : earlier);
        EXPECT_EQ(fake.clipboard().clears, copied ? 1 : 0);
        EXPECT_EQ(fake.clipboard().imageContent, buffer());
        EXPECT_EQ(frozenScreen().markerTimer->isActive(), copied);
    }
}

TEST_F(AreaCaptureTest, TheCaptureHoldsTheObjectsInsideTheBandButNotTheBandOrItsCaptions) {
    settings().showCurrentSize = true;
    settings().frameColor = 0x00FF00;
    CanvasShape* object = picture()->addShape(CanvasItem::Role::Object);
    object->setBorderColor(Qt::red);
    object->setGeometry(150 * 15, 250 * 15, 250 * 15, 50 * 15);  // half inside the band
    frozenScreen().pleaseWaitLabel->move(120 * 15, 220 * 15);
    frozenScreen().pleaseWaitLabel->show();

    drag({100, 200}, {300, 400});
    QImage expected = screen(QRect(101, 201, 198, 198));
    // The object's right column lies outside the band.
    const QRgb red = QColor(Qt::red).rgb();
    for (int x = 150; x <= 298; ++x) {
        expected.setPixel(x - 101, 250 - 201, red);
        expected.setPixel(x - 101, 299 - 201, red);
    }
    for (int y = 250; y < 300; ++y)
        expected.setPixel(150 - 101, y - 201, red);
    EXPECT_EQ(buffer(), expected);
}

TEST_F(AreaCaptureTest, TheBandLagsOneMoveAndTheReleaseDrawsItThroughTheReleasePoint) {
    press({100, 100});
    move({200, 150});
    EXPECT_EQ(frozenScreen().band->geometry(), QRectF(0, 0, 1, 1));
    move({250, 180});
    EXPECT_EQ(bandPixels(), QRect(100, 100, 100, 50));
    // A move whose previous position lies on the anchor's column keeps the band.
    move({100, 300});
    move({240, 190});
    EXPECT_EQ(bandPixels(), QRect(100, 100, 150, 80));
    release({260, 195});
    EXPECT_EQ(bandPixels(), QRect(100, 100, 160, 95));
    EXPECT_EQ(frozenScreen().sizeReadout->caption(), " Size: 160 X 95 pixels ");
    EXPECT_EQ(buffer(), screen(QRect(101, 101, 158, 93)));
}

TEST_F(AreaCaptureTest, AFlickCapturesTheBandThroughTheReleasePoint) {
    const std::pair<bool, QRect> rows[] = {{false, {100, 100, 60, 25}}, {true, {60, 60, 80, 80}}};
    for (const auto& [circle, drawn] : rows) {
        SCOPED_TRACE(circle ? "circle" : "rectangle");
        session().shape =
            circle ? capture::SelectionShape::Circle : capture::SelectionShape::Rectangle;
        // The band follows one move late: before the release it reaches only the first move.
        press({100, 100});
        move({102, 101});
        move({140, 120});
        release({160, 125});
        EXPECT_EQ(bandPixels(), drawn);
        EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
        EXPECT_TRUE(captureState().captureValid);
        EXPECT_EQ(buffer().size(), drawn.size() - QSize(2, 2));
        if (!circle) {
            EXPECT_EQ(buffer(), screen(drawn.adjusted(1, 1, -1, -1)));
        }
        // Capturing again takes the same band.
        const QImage captured = buffer();
        session().buffer = QImage();
        frozenScreen().captureBandAgain();
        EXPECT_EQ(buffer(), captured);
        release({0, 0});  // the mouse-up after capturing again is swallowed
        // A click draws no band.
        press({500, 500});
        release({500, 500});
        EXPECT_FALSE(frozenScreen().band->isVisible());
    }
}

TEST_F(AreaCaptureTest, TheCircleStaysOnThePictureAndItsBufferIsWhiteOutsideIt) {
    circular();
    // 1.6 times the vertical distance (the horizontal one on the anchor's row), clamped.
    const std::tuple<QPoint, QPoint, QRect> rows[] = {
        {{400, 400}, {500, 425}, {360, 360, 80, 80}},
        {{100, 400}, {1200, 400}, {0, 300, 200, 200}},
        {{1250, 400}, {1250, 500}, {1220, 370, 60, 60}},
        {{640, 790}, {640, 700}, {630, 780, 20, 20}},
        {{50, 400}, {50, 700}, {0, 350, 100, 100}},
    };
    for (const auto& [anchor, to, band] : rows) {
        SCOPED_TRACE(::testing::Message() << anchor.x() << "," << anchor.y());
        drag(anchor, to);
        EXPECT_EQ(bandPixels(), band);
    }
    const QImage captured = buffer();
    ASSERT_EQ(captured.size(), QSize(98, 98));
    const QImage inside = screen(QRect(1, 351, 98, 98));
    for (int y = 0; y < 98; ++y)
        for (int x = 0; x < 98; ++x)
            ASSERT_EQ(captured.pixel(x, y), std::hypot(x + 0.5 - 49, y + 0.5 - 49) > 49 - 1.7
                                                ? qRgb(255, 255, 255)
                                                : inside.pixel(x, y))
                << x << "," << y;
    EXPECT_EQ(fake.clipboard().imageContent, captured);
    EXPECT_FALSE(captureState().areaCaptureRunning);
}

TEST_F(AreaCaptureTest, TheReadoutShowsTheCurrentSizeWithTheLocaleSeparator) {
    struct Row {
        int dpi;
        bool circle;
        QString separator;
        QPoint to;
        QString caption;
    };
    const Row rows[] = {
        {96, false, ".", {120, 110}, " Size: 20 X 10 pixels "},
        {100, false, ",", {107, 103}, " Size: 7,01 X 2,99 pixels "},
        {96, true, ",", {100, 107}, " Diameter: 22,4 pixels "},
        {96, true, ".", {105, 100}, " Diameter: 16 pixels "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption.toStdString());
        fake.desktop().dpiX = fake.desktop().dpiY = row.dpi;
        fake.locale().separator = row.separator;
        mainWindow().resetAfterRelease();
        freeze();
        session().shape =
            row.circle ? capture::SelectionShape::Circle : capture::SelectionShape::Rectangle;
        for (bool shown : {false, true}) {
            settings().showCurrentSize = shown;
            press({100, 100});
            move(row.to);
            move(row.to);
            EXPECT_EQ(frozenScreen().sizeReadout->caption(), row.caption);
            EXPECT_EQ(frozenScreen().sizeReadout->isVisible(), shown);
            EXPECT_EQ(frozenScreen().sizeReadout->geometry().topLeft(),
                      frozenScreen().band->geometry().bottomRight());
            release(row.to);
        }
    }
}

TEST_F(AreaCaptureTest, RightClickWithDeletedObjectsCapturesAgainBeforeTheMenu) {
    drag({100, 100}, {200, 200});
    const QImage before = buffer();
    CanvasShape* object = picture()->addShape(CanvasItem::Role::Object);
    object->setBorderColor(Qt::red);
    object->setGeometry(120 * 15, 120 * 15, 20 * 15, 20 * 15);

    answerNextMenu();
    press({400, 300}, Qt::RightButton);
    release({400, 300}, Qt::RightButton);
    EXPECT_EQ(poppedDefault, mainWindow().contextReleaseItem);
    EXPECT_EQ(buffer(), before);
    EXPECT_EQ(captureState().rightClickPos, QPointF(400 * 15, 300 * 15));

    prog.objects.freeze.objectsDeleted = prog.objects.freeze.objectsAdded = true;
    mainWindow().circleModeItem->setEnabled(false);
    fake.clock().sleeps.clear();
    answerNextMenu();
    press({400, 300}, Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().contextMenu);
    EXPECT_EQ(buffer().pixel(19, 19), QColor(Qt::red).rgb());
    EXPECT_EQ(fake.clock().sleeps, (std::vector<int>{300, 500}));
    EXPECT_FALSE(prog.objects.freeze.objectsDeleted);
    release({400, 300}, Qt::RightButton);
    EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
}

// Left and middle drags mark and capture the band; a right drag opens the menu instead.
TEST_F(AreaCaptureTest, EveryButtonButTheRightOneMarksAndCapturesABand) {
    settings().autoPopupMenu = false;
    const struct {
        Qt::MouseButton button;
        bool marks;
    } rows[] = {{Qt::LeftButton, true}, {Qt::MiddleButton, true}, {Qt::RightButton, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        drag({20, 20}, {60, 50});  // an earlier capture
        const QImage earlier = buffer();
        if (!row.marks)
            answerNextMenu();
        drag({300, 200}, {420, 290}, row.button);
        EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
        if (row.marks) {
            EXPECT_TRUE(frozenScreen().band->isVisible());
            EXPECT_EQ(bandPixels(), QRect(300, 200, 120, 90));
            EXPECT_EQ(buffer(), screen(QRect(301, 201, 118, 88)));
            EXPECT_TRUE(captureState().captureValid);
        } else {
            EXPECT_EQ(popped, mainWindow().contextMenu);
            EXPECT_EQ(bandPixels(), QRect(20, 20, 40, 30));
            EXPECT_EQ(buffer(), earlier);
        }
    }
}

// A middle press starts from the band as it was and does not take over a drag under way;
// its release ends that drag.
TEST_F(AreaCaptureTest, AMiddlePressKeepsTheLastBandAndDoesNotRestartADrag) {
    drag({100, 100}, {200, 160});
    press({300, 300}, Qt::MiddleButton);
    EXPECT_EQ(bandPixels(), QRect(100, 100, 100, 60));
    EXPECT_TRUE(frozenScreen().band->isVisible());
    move({400, 380});
    move({400, 380});
    EXPECT_EQ(bandPixels(), QRect(300, 300, 100, 80));
    press({500, 500}, Qt::MiddleButton);  // while the drag is under way
    move({450, 420});
    move({450, 420});
    EXPECT_EQ(bandPixels(), QRect(300, 300, 150, 120));
    release({450, 420}, Qt::MiddleButton);
    EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
    EXPECT_EQ(buffer(), screen(QRect(301, 301, 148, 118)));
}

// A release nobody pressed for and a mouse-up a selected object holds capture nothing; a left
// press always starts a drag afresh.
TEST_F(AreaCaptureTest, OnlyADragCapturesAndALeftPressAlwaysStartsOne) {
    drag({100, 100}, {200, 200});
    const QImage first = buffer();
    fake.clipboard().clears = 0;

    release({500, 500});
    release({500, 500}, Qt::MiddleButton);
    EXPECT_EQ(buffer(), first);
    EXPECT_EQ(fake.clipboard().clears, 0);

    // A shown handle marks a selected object.
    CanvasItem* handle = frozenScreen().objectLayer->items().handles[0];
    handle->hide();
    press({300, 300});
    move({400, 400});
    move({400, 400});
    handle->show();
    fake.clock().sleeps.clear();
    release({400, 400});
    EXPECT_EQ(buffer(), first);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
    EXPECT_EQ(captureState().dragState, capture::DragState::Idle);
    handle->hide();

    // A drag whose mouse-up got lost: the next left press starts afresh from its own point.
    press({300, 300});
    move({350, 350});
    move({350, 350});
    send(QEvent::MouseButtonDblClick, {600, 500}, Qt::LeftButton);
    move({640, 560});
    move({640, 560});
    release({640, 560});
    EXPECT_EQ(buffer(), screen(QRect(601, 501, 38, 58)));
}

}  // namespace
}  // namespace qv::shell::capturetests
