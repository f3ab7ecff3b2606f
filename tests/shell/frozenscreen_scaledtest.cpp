// The frozen screen on a display scaled by 1.5 (144 DPI): Qt places windows and reports the
// pointer in logical pixels, the snapshot and the desktop's pointer are in device pixels.
#include <QFontMetrics>

#include "shell/canvas.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class ScaledAreaTest : public AreaTest {
protected:
    static constexpr qreal kRatio = 1.5;

    // A mouse event at a logical position, the desktop's pointer on the device pixel under it.
    void sendLogical(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        fake.desktop().cursor = (at * kRatio).toPoint();
        QMouseEvent event(type, at, picture()->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(picture(), &event);
    }
    void flick(QPointF from, QPointF to) {
        sendLogical(QEvent::MouseButtonPress, from);
        sendLogical(QEvent::MouseMove, to);
        sendLogical(QEvent::MouseMove, to);
        sendLogical(QEvent::MouseButtonRelease, to);
    }
};

// The picture covers every device pixel, and the drag points are whole device pixels.
TEST_F(ScaledAreaTest, DragPointsAreWholeDevicePixels) {
    ASSERT_EQ(picture()->devicePixelRatioF(), kRatio) << "QT_SCALE_FACTOR=1.5 expected";
    EXPECT_EQ(picture()->pixelSize(), QSize(1280, 800));
    EXPECT_GE(picture()->width() * kRatio, 1280);
    EXPECT_GE(picture()->height() * kRatio, 800);
    settings().showCurrentSize = true;
    // Logical positions between device pixels (67 is device pixel 100.5, which lies in pixel
    // 100), and the positions a scaled display reports for whole device pixels (101 / 1.5).
    struct Row {
        QPointF from;
        QPointF to;
        QRect band;  // device pixels
        QString caption;
    };
    const Row rows[] = {
        {{67, 67}, {201, 134}, {100, 100, 201, 101}, " Size: 201 X 101 pixels "},
        {{101 / 1.5, 50 / 1.5},
         {302 / 1.5, 151 / 1.5},
         {101, 50, 201, 101},
         " Size: 201 X 101 pixels "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption.toStdString());
        flick(row.from, row.to);
        EXPECT_EQ(frozenScreen().band->geometry(),
                  QRectF(row.band.x() * 15, row.band.y() * 15, row.band.width() * 15,
                         row.band.height() * 15));
        EXPECT_EQ(frozenScreen().sizeReadout->caption(), row.caption);
        EXPECT_EQ(buffer(), screen(row.band.adjusted(1, 1, -1, -1)));
    }
}

TEST_F(ScaledAreaTest, TheContextMenuOpensAtThePointer) {
    const QPointF at(120, 90);  // logical; device pixel (180, 135)
    for (bool afterCapture : {false, true}) {
        SCOPED_TRACE(afterCapture ? "after a capture" : "right click");
        answerNextMenu();
        if (afterCapture) {
            settings().autoPopupMenu = true;
            flick({20, 20}, at);
        } else {
            sendLogical(QEvent::MouseButtonPress, at, Qt::RightButton);
        }
        ASSERT_EQ(popped, mainWindow().contextMenu);
        EXPECT_EQ(popped->pos(), at.toPoint());
    }
}

TEST_F(ScaledAreaTest, CaptionsKeepTheirSizeAndTheCaptureEqualsTheScreen) {
    settings().showCurrentSize = true;
    CanvasShape* object = picture()->addShape(CanvasItem::Role::Object);
    object->setBorderColor(Qt::red);
    object->setGeometry(150 * 15, 150 * 15, 50 * 15, 30 * 15);
    flick({60, 60}, {200, 150});
    CanvasLabel* readout = frozenScreen().sizeReadout;
    EXPECT_EQ(readout->height(), QFontMetrics(readout->font()).height() * kRatio * 15);

    const QImage shown = picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect band(90, 90, 210, 135);
    EXPECT_EQ(buffer(), shown.copy(band.adjusted(1, 1, -1, -1)));
    const QRect readoutPixels = picture()->toPixels(readout->geometry());
    EXPECT_EQ(picture()->render(readoutPixels), shown.copy(readoutPixels));
}

// Dots and dashes cut by the band lie in the capture where the window paints them.
TEST_F(ScaledAreaTest, DottedAndDashedBordersCutByTheBandAreCapturedAsShown) {
    const std::pair<CanvasShape::Shape, CanvasShape::BorderStyle> kinds[] = {
        {CanvasShape::Rectangle, CanvasShape::Dot},
        {CanvasShape::Oval, CanvasShape::Dash},
        {CanvasShape::RoundedRectangle, CanvasShape::Dot}};
    for (const auto& [kind, style] : kinds) {
        CanvasShape* object = picture()->addShape(CanvasItem::Role::Object);
        object->setShape(kind);
        object->setBorderStyle(style);
        object->setBorderColor(Qt::red);
        object->setGeometry(151 * 15, 151 * 15, 201 * 15, 121 * 15);
        for (QPointF from : {QPointF(67, 67), QPointF(201 / 1.5, 68)}) {
            flick(from, {200, 150});
            const QImage shown = picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(buffer(), shown.copy(bandPixels().adjusted(1, 1, -1, -1)))
                << kind << " from " << from.x();
        }
        object->hide();
    }
}

TEST_F(ScaledAreaTest, APressOnTheTrayMenuReachesItsItem) {
    MainWindow& main = mainWindow();
    fake.desktop().foreground = 5;
    fake.desktop().windows[5].frame = QRect(0, 0, 1280, 800);
    fake.desktop().leftButton = false;
    fake.tray().fire(platform::TrayEvent::RightButtonUp);
    ASSERT_TRUE(main.trayMenu->isVisible());
    // The desktop reports the press in device pixels.
    fake.desktop().cursor = (QPointF(main.trayMenu->geometry().center()) * kRatio).toPoint();
    fake.desktop().leftButton = true;
    fake.clock().advance(10);
    EXPECT_TRUE(main.trayMenu->isVisible());
    main.trayMenu->close();
}

}  // namespace
}  // namespace qv::shell::capturetests
