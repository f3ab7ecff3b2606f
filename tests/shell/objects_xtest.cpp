// A rectangle added from the palette on a real frozen X screen is captured exactly as drawn.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <optional>
#include <utility>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "objects/objectspalette.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

class StripesWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 5)
            p.fillRect(x, 0, 5, height(), QColor::fromHsv((x * 7) % 360, 180, 230));
        for (int y = 0; y < height(); y += 11)
            p.fillRect(0, y, width(), 3, QColor::fromHsv((y * 3) % 360, 250, 90));
    }
};

class ObjectsX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        startProgram({.windowManager = true}, [](fakes::FakePlatform& fake) {
            fake.services().desktop = std::make_unique<platform::X11Desktop>();
        });
        if (!HasFatalFailure())
            quietCaptures();
    }
    void TearDown() override {
        window_.reset();
        ProgramXTest::TearDown();
    }
    static QImage settledRoot() {
        return settled([] { return testsupport::xwdRoot(); });
    }

    std::optional<StripesWindow> window_;
};

TEST_F(ObjectsX, ARectangleFromThePaletteIsCapturedWithItsExactRing) {
    window_.emplace();
    ASSERT_NO_FATAL_FAILURE(showPattern(*window_, {100, 80, 1000, 650}));
    const QImage root = settledRoot();
    ASSERT_FALSE(root.isNull());

    ASSERT_NO_FATAL_FAILURE(freezeScreen());
    MainWindow& mainWindow = prog_->shellWindows().mainWindow.get();
    FrozenScreen& frozen = *frozen_;
    window_->hide();

    // A right click opens the context menu; "Add Objects..." is clicked once it is up.
    QTimer chooser;
    chooser.setInterval(20);
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        QMenu* menu = mainWindow.contextMenu;
        if (QApplication::activePopupWidget() != menu || !menu->windowHandle() ||
            !menu->windowHandle()->isExposed())
            return;
        chooser.stop();
        const QRect item = menu->actionGeometry(mainWindow.addObjectItem);
        const QPoint at = menu->mapToGlobal(item.center());
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    });
    chooser.start();
    clickAt({400, 300}, 3);
    objects::ObjectsPalette* palette = nullptr;
    ASSERT_TRUE(processUntil([&] {
        palette = prog_->objectsWindows().objectsPalette.peek();
        return palette && palette->isVisible() && palette->windowHandle()->isExposed() &&
               palette->frameGeometry() != palette->geometry();
    })) << "the palette never came up framed";
    // Its frame goes 100 pixels in from the right edge and from the top once it is known.
    ASSERT_TRUE(processUntil([&] {
        const QRect frame = palette->frameGeometry();
        return frame.topLeft() == QPoint(1280 - 100 - frame.width(), 100) &&
               palette->mapToGlobal(QPoint(0, 0)) == palette->geometry().topLeft();
    })) << "the palette is not where it belongs";
    const QPoint button =
        palette->rectangleButton->mapToGlobal(palette->rectangleButton->rect().center());
    clickAt(button, 1);
    const objects::ObjectItems& items = frozen.objectLayer->items();
    ASSERT_TRUE(processUntil([&] { return items.shapes[0]->isVisible(); }))
        << "the rectangle button added nothing";
    EXPECT_TRUE(items.handles[0]->isVisible());
    const QRect box = frozen.canvas->toPixels(items.shapes[0]->geometry());
    EXPECT_EQ(box.size(), QSize(100, 50));

    // A band round the rectangle: its press hides the handles.
    const QPoint from = box.topLeft() - QPoint(30, 30);
    const QPoint to = box.bottomRight() + QPoint(30, 30);
    xdotool({"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"});
    ASSERT_TRUE(processUntil(
        [&] { return prog_->captureState.dragState == capture::DragState::Dragging; }));
    prog_->captureState.freeze.captureAvailable = false;
    xdotool({"mousemove", QString::number(to.x()), QString::number(to.y()), "mouseup", "1"});
    ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
        << "no capture after the mouse-up";

    // The band's outline is not captured: its inside starts one pixel in.
    const QRect inside(from + QPoint(1, 1), QSize(to.x() - from.x() - 2, to.y() - from.y() - 2));
    QImage expected = root.copy(inside);
    QPainter painter(&expected);
    const QRect ring = box.translated(-inside.topLeft());
    painter.fillRect(ring.adjusted(-1, -1, 1, 1), Qt::red);
    painter.drawImage(ring.adjusted(1, 1, -1, -1).topLeft(), root.copy(box.adjusted(1, 1, -1, -1)));
    painter.end();
    EXPECT_EQ(prog_->capture.buffer.convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_FALSE(items.handles[0]->isVisible());
}

TEST_F(ObjectsX, ABandEndingInsideAnObjectLeavesItWhereItWasAndIsCopied) {
    window_.emplace();
    ASSERT_NO_FATAL_FAILURE(showPattern(*window_, {100, 80, 1000, 650}));
    ASSERT_NO_FATAL_FAILURE(freezeScreen());
    window_->hide();
    prog_->options.settings.autoCopy = true;
    FrozenScreen& frozen = *frozen_;
    const objects::ObjectItems& items = frozen.objectLayer->items();

    QImage dots(90, 60, QImage::Format_RGB32);
    dots.fill(Qt::blue);
    items.images[0]->setPicture(dots);
    items.texts[0]->setCaption(QStringLiteral("A note on the picture"));
    items.shapes[0]->setBorderColor(Qt::red);
    struct Row {
        const char* kind;
        CanvasItem* object;
    } rows[] = {
        {"rectangle", items.shapes[0]}, {"image", items.images[0]}, {"text", items.texts[0]}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        // A text keeps the size of its caption.
        if (row.object == items.texts[0])
            row.object->move(600 * 15, 400 * 15);
        else
            row.object->setGeometry(600 * 15, 400 * 15, 90 * 15, 60 * 15);
        row.object->show();
        const QRectF before = row.object->geometry();
        const QPoint middle = frozen.canvas->toPixels(before).center();
        const QPoint from(300, 200);
        const QImage expected = frozen.canvas->render(
            QRect(from + QPoint(1, 1), middle - QPoint(2, 2)),
            [](const CanvasItem& item) { return item.role() == CanvasItem::Role::Object; });
        prog_->captureState.freeze.captureAvailable = false;

        QStringList drag = {"mousemove", QString::number(from.x()), QString::number(from.y()),
                            "mousedown", "1"};
        for (int step = 1; step <= 8; ++step) {
            const QPoint at = from + (middle - from) * step / 8;
            drag << "mousemove" << QString::number(at.x()) << QString::number(at.y());
        }
        xdotool(drag << "mouseup"
                     << "1");
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
            << "no capture after the mouse-up";
        EXPECT_EQ(row.object->geometry(), before) << "the object moved";
        EXPECT_EQ(frozen.canvas->toPixels(frozen.band->geometry()),
                  QRect(from, middle - QPoint(1, 1)));
        EXPECT_EQ(fake_->clipboard().imageContent.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32));
        frozen.clearObjects();
    }
}

}  // namespace
}  // namespace qv::shell
