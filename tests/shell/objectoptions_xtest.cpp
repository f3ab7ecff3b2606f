// On a real frozen X screen: a rectangle restyled through "Options..." and a picture pasted
// from the X clipboard are captured exactly as the screen shows them.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <optional>
#include <utility>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "objects/objectspalette.h"
#include "objects/shapeoptionsdialog.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/x11desktop.h"
#include "platform/services.h"
#include "shell/windows.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

class BandsWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 6)
            p.fillRect(x, 0, 6, height(), QColor::fromHsv((x * 5) % 360, 150, 210));
        for (int y = 0; y < height(); y += 13)
            p.fillRect(0, y, width(), 2, QColor::fromHsv((y * 7) % 360, 220, 100));
    }
};

class ObjectOptionsX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        startProgram({.windowManager = true}, [](fakes::FakePlatform& fake) {
            fake.services().desktop = std::make_unique<platform::X11Desktop>();
            fake.services().clipboard = std::make_unique<platform::QtClipboard>();
        });
        if (!HasFatalFailure())
            quietCaptures();
    }
    void TearDown() override {
        chooser_.stop();
        window_.reset();
        ProgramXTest::TearDown();
    }
    MainWindow& mainWindow() { return prog_->shellWindows().mainWindow.get(); }

    void freeze() {
        window_.emplace();
        ASSERT_NO_FATAL_FAILURE(showPattern(*window_, {80, 70, 1000, 660}));
        ASSERT_NO_FATAL_FAILURE(freezeScreen());
        window_->hide();
    }
    // Once the menu is up, clicks its item.
    void chooseWhenUp(QMenu* menu, QAction* item) {
        chooser_.setInterval(20);
        QObject::disconnect(&chooser_, nullptr, nullptr, nullptr);
        QObject::connect(&chooser_, &QTimer::timeout, [this, menu, item] {
            if (QApplication::activePopupWidget() != menu || !menu->windowHandle() ||
                !menu->windowHandle()->isExposed())
                return;
            chooser_.stop();
            const QPoint at = menu->mapToGlobal(menu->actionGeometry(item).center());
            xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
        });
        chooser_.start();
    }
    // Drags a band over a rectangle of the canvas and waits for its capture; the rectangle
    // of the frozen window the capture shows.
    QRect captureBand(const QRect& pixels) {
        const QPoint from = frozen_->canvas->mapToGlobal(pixels.topLeft());
        const QPoint to = frozen_->canvas->mapToGlobal(pixels.bottomRight());
        xdotool(
            {"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"});
        EXPECT_TRUE(processUntil(
            [&] { return prog_->captureState.dragState == capture::DragState::Dragging; }));
        prog_->captureState.freeze.captureAvailable = false;
        xdotool({"mousemove", QString::number(to.x()), QString::number(to.y()), "mouseup", "1"});
        EXPECT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
            << "no capture after the mouse-up";
        const QPoint origin = frozen_->canvas->mapTo(frozen_, QPoint(0, 0));
        return QRect(pixels.topLeft() + QPoint(1, 1) + origin,
                     QSize(to.x() - from.x() - 2, to.y() - from.y() - 2));
    }
    QImage shownFrozen() {
        const QString id = QString::number(frozen_->winId());
        return settled([&] { return testsupport::xwdWindow(id); });
    }
    QImage buffer() { return prog_->capture.buffer.convertToFormat(QImage::Format_RGB32); }

    std::optional<BandsWindow> window_;
    QTimer chooser_;
};

TEST_F(ObjectOptionsX, AWidthTypedIntoShapeOptionsIsCapturedAsARingThatWide) {
    freeze();
    ASSERT_FALSE(HasFatalFailure());
    mainWindow().addObjectItem->trigger();
    prog_->objectsWindows().objectsPalette->rectangleButton->click();
    const objects::ObjectItems& items = frozen_->objectLayer->items();
    CanvasShape& shape = *items.shapes[0];
    ASSERT_TRUE(shape.isVisible());
    // Away from the palette, which is no longer needed, so that no press falls on it.
    prog_->objectsWindows().objectsPalette->hide();
    objects::clearPositionItems(items);
    shape.move(400 * 15, 300 * 15);
    const QRect box = frozen_->canvas->toPixels(shape.geometry());
    const QRect inside = captureBand(box.adjusted(-30, -30, 30, 30));

    chooseWhenUp(mainWindow().shapePopup, mainWindow().shapeOptionsItem);
    clickAt(frozen_->canvas->mapToGlobal(box.center()), 3);
    objects::ShapeOptionsDialog* dialog = nullptr;
    ASSERT_TRUE(processUntil([&] {
        dialog = prog_->objectsWindows().shapeOptions.peek();
        return dialog && dialog->isVisible() && dialog->windowHandle()->isExposed() &&
               dialog->widthEdit->hasFocus() && hasKeyboardFocus(*dialog);
    })) << "Shape Options never took the keyboard";
    xdotool({"key", "ctrl+a"});
    xdotool({"type", "3"});
    ASSERT_TRUE(processUntil([&] { return dialog->widthEdit->text() == QStringLiteral("3"); }));
    const qint64 before = prog_->capture.buffer.cacheKey();
    clickAt(dialog->okButton->mapToGlobal(dialog->okButton->rect().center()), 1);
    ASSERT_TRUE(processUntil([&] { return prog_->capture.buffer.cacheKey() != before; }))
        << "OK captured nothing";
    EXPECT_EQ(shape.borderWidth(), 3);

    // Across the left edge: three red columns, then the picture again.
    const QPoint origin = frozen_->canvas->mapTo(frozen_, QPoint(0, 0));
    const QRect ring = CanvasShape::outerBorderBox(box, 3).translated(origin - inside.topLeft());
    const int y = ring.center().y();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(buffer().pixelColor(ring.left() + k, y), QColor(Qt::red)) << k;
    EXPECT_NE(buffer().pixelColor(ring.left() + 3, y), QColor(Qt::red));
    EXPECT_NE(buffer().pixelColor(ring.left() - 1, y), QColor(Qt::red));

    objects::clearPositionItems(items);
    const QImage shown = shownFrozen();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(buffer(), shown.copy(inside).convertToFormat(QImage::Format_RGB32));
}

TEST_F(ObjectOptionsX, APicturePastedFromTheXClipboardLiesOneToOneAtTheRightClick) {
    QImage picture(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7, 255 - y * 9, (x * y) & 0xff));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("pasted.png"));
    ASSERT_TRUE(picture.save(file));
    xdotool({"mousemove", "5", "5"});  // the X server needs a client before xclip's
    ASSERT_EQ(server->run(QStringLiteral("xclip"),
                          {"-selection", "clipboard", "-t", "image/png", "-i", file}),
              0);
    freeze();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(processUntil([] { return !platform::clipboard().image().isNull(); }))
        << "the clipboard never offered the picture";

    const QPoint at(420, 310);
    chooseWhenUp(mainWindow().contextMenu, mainWindow().pasteItem);
    clickAt(frozen_->canvas->mapToGlobal(at), 3);
    const objects::ObjectItems& items = frozen_->objectLayer->items();
    ASSERT_TRUE(processUntil([&] { return items.images[0]->isVisible(); })) << "nothing pasted";
    const QRect placed = frozen_->canvas->toPixels(items.images[0]->geometry());
    EXPECT_EQ(placed, QRect(at, picture.size()));

    objects::clearPositionItems(items);
    const QRect inside = captureBand(placed.adjusted(-20, -20, 20, 20));
    const QImage shown = shownFrozen();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(buffer(), shown.copy(inside).convertToFormat(QImage::Format_RGB32));
    const QPoint origin = frozen_->canvas->mapTo(frozen_, QPoint(0, 0));
    EXPECT_EQ(buffer().copy(QRect(placed.topLeft() + origin - inside.topLeft(), picture.size())),
              picture);
}

}  // namespace
}  // namespace qv::shell
