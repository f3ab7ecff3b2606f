// An arrow and a text added from the palette on a real frozen X screen, edited with the
// mouse and the keyboard, are captured exactly as the screen shows them; the font and colour
// dialogs come up in front of the frozen screen and Escape leaves them without a change.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <memory>
#include <optional>
#include <utility>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "objects/objectspalette.h"
#include "objects/textoptionsdialog.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "platform/linux/fontcolordialog.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

class CheckerWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int y = 0; y < height(); y += 7)
            for (int x = 0; x < width(); x += 9)
                p.fillRect(x, y, 9, 7, QColor::fromHsv((x * 5 + y * 3) % 360, 160, 220));
    }
};

class AnnotationsX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        startProgram({.windowManager = true}, [](fakes::FakePlatform& fake) {
            fake.services().desktop = std::make_unique<platform::X11Desktop>();
            fake.services().dialogs = std::make_unique<platform::QtDialogs>();
        });
        if (!HasFatalFailure())
            quietCaptures();
    }
    void TearDown() override {
        window_.reset();
        ProgramXTest::TearDown();
    }
    void clickOn(const QWidget& widget) { clickAt(widget.mapToGlobal(widget.rect().center())); }

    // Freezes a screen with a patterned window on it and shows the palette, placed.
    void freezeWithPalette() {
        window_.emplace();
        ASSERT_NO_FATAL_FAILURE(showPattern(*window_, {60, 60, 1100, 680}));
        ASSERT_NO_FATAL_FAILURE(freezeScreen());
        window_->hide();
        prog_->shellWindows().mainWindow->addObjectItem->trigger();
        ASSERT_TRUE(processUntil([&] {
            palette_ = prog_->objectsWindows().objectsPalette.peek();
            if (!palette_ || !palette_->isVisible() || !palette_->windowHandle()->isExposed())
                return false;
            const QRect frame = palette_->frameGeometry();
            return frame != palette_->geometry() &&
                   frame.topLeft() == QPoint(1280 - 100 - frame.width(), 100) &&
                   palette_->mapToGlobal(QPoint(0, 0)) == palette_->geometry().topLeft();
        })) << "the palette never came up in its place";
    }

    objects::TextOptionsDialog* openTextOptions() {
        clickOn(*palette_->textButton);
        objects::TextOptionsDialog* dialog = nullptr;
        const bool up = processUntil([&] {
            dialog = prog_->objectsWindows().textOptions.peek();
            return dialog && dialog->isVisible() && dialog->windowHandle()->isExposed() &&
                   dialog->previewEdit->hasFocus() && hasKeyboardFocus(*dialog);
        });
        return up ? dialog : nullptr;
    }

    QPoint globalOf(const toolkit::CanvasItem& item) {
        return frozen_->canvas->mapToGlobal(frozen_->canvas->toPixels(item.geometry()).center());
    }

    std::optional<CheckerWindow> window_;
    objects::ObjectsPalette* palette_ = nullptr;
};

TEST_F(AnnotationsX, AnEditedArrowAndATypedTextAreCapturedAsTheScreenShowsThem) {
    freezeWithPalette();
    ASSERT_FALSE(HasFatalFailure());
    const objects::ObjectItems& items = frozen_->objectLayer->items();
    clickOn(*palette_->arrowButton);
    ASSERT_TRUE(processUntil([&] { return items.headStrokes2[0]->isVisible(); }))
        << "the arrow button added nothing";
    objects::TextOptionsDialog* dialog = openTextOptions();
    ASSERT_NE(dialog, nullptr) << "Text Options never took the keyboard";
    xdotool({"key", "ctrl+a"});
    xdotool({"type", "Hello X"});
    ASSERT_TRUE(processUntil(
        [&] { return dialog->previewEdit->toPlainText() == QStringLiteral("Hello X"); }));
    clickOn(*dialog->okButton);
    ASSERT_TRUE(processUntil([&] { return items.texts[0]->isVisible(); })) << "no text added";
    EXPECT_EQ(items.texts[0]->caption(), QStringLiteral("Hello X"));

    // The arrow's end follows its grab area; the head stays on the tip.
    CanvasLine& shaft = *items.lines[0];
    const QPointF tip(shaft.x1(), shaft.y1());
    const double endX = shaft.x2();
    const QPoint end = globalOf(*items.lineGrabAreas[2]);
    xdotool({"mousemove", QString::number(end.x()), QString::number(end.y()), "mousedown", "1"});
    ASSERT_TRUE(processUntil([&] { return prog_->objects.lineDragging; }));
    xdotool({"mousemove", QString::number(end.x() + 40), QString::number(end.y() + 60)});
    xdotool({"mouseup", "1"});
    ASSERT_TRUE(processUntil(
        [&] { return !prog_->objects.lineDragging && items.lineSquares[2]->isVisible(); }));
    EXPECT_EQ(shaft.x2(), endX + 40 * 15);
    EXPECT_EQ(QPointF(shaft.x1(), shaft.y1()), tip);
    EXPECT_EQ(QPointF(items.headStrokes1[0]->x1(), items.headStrokes1[0]->y1()), tip);

    // The screen as it shows the objects, without their marks.
    objects::clearPositionItems(items);
    const QString frozenId = QString::number(frozen_->winId());
    const QImage shown = settled([&] { return testsupport::xwdWindow(frozenId); });
    ASSERT_FALSE(shown.isNull());

    QRect around = frozen_->canvas->toPixels(shaft.geometry())
                       .united(frozen_->canvas->toPixels(items.texts[0]->geometry()));
    around = around.adjusted(-40, -40, 40, 40);
    const QPoint from = frozen_->canvas->mapToGlobal(around.topLeft());
    const QPoint to = frozen_->canvas->mapToGlobal(around.bottomRight());
    xdotool({"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"});
    ASSERT_TRUE(processUntil(
        [&] { return prog_->captureState.dragState == capture::DragState::Dragging; }));
    prog_->captureState.freeze.captureAvailable = false;
    xdotool({"mousemove", QString::number(to.x()), QString::number(to.y()), "mouseup", "1"});
    ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
        << "no capture after the mouse-up";
    const QPoint origin = frozen_->canvas->mapTo(frozen_, QPoint(0, 0));
    const QRect inside(around.topLeft() + QPoint(1, 1) + origin,
                       QSize(to.x() - from.x() - 2, to.y() - from.y() - 2));
    EXPECT_EQ(prog_->capture.buffer.convertToFormat(QImage::Format_RGB32),
              shown.copy(inside).convertToFormat(QImage::Format_RGB32));
}

TEST_F(AnnotationsX, TheFontAndColourDialogsShowInFrontAndEscapeChangesNothing) {
    freezeWithPalette();
    ASSERT_FALSE(HasFatalFailure());
    objects::TextOptionsDialog* dialog = openTextOptions();
    ASSERT_NE(dialog, nullptr);
    const objects::FontStyle before = dialog->previewStyle();

    // Reads the modal dialog once it is up, then presses Escape in it. A dialog still open
    // long after that is closed, so that the test fails instead of hanging.
    QString stage;
    bool openedBold = false;
    auto readThenEscape = [&](const std::function<bool(QWidget*)>& isIt, QImage& read) {
        auto* timer = new QTimer(dialog);
        timer->setInterval(20);
        auto ticks = std::make_shared<int>(0);
        stage = QStringLiteral("never shown");
        QObject::connect(timer, &QTimer::timeout, [&, timer, isIt, ticks] {
            QWidget* modal = QApplication::activeModalWidget();
            if (++*ticks > 1000) {
                timer->stop();
                if (auto* open = qobject_cast<QDialog*>(modal)) {
                    stage += QStringLiteral(", closed by the test");
                    open->reject();
                }
                return;
            }
            if (!modal || !isIt(modal) || !modal->windowHandle() ||
                !modal->windowHandle()->isExposed())
                return;
            if (!read.isNull())
                return;
            stage = QStringLiteral("shown, no keyboard");
            if (!hasKeyboardFocus(*modal))
                return;
            stage = QStringLiteral("escaped");
            if (auto* fonts = dynamic_cast<platform::FontColorDialog*>(modal))
                openedBold = fonts->fontChooser->currentFont().bold();
            read = settled([&] { return testsupport::xwdWindow(QString::number(modal->winId())); });
            xdotool({"key", "Escape"});
        });
        timer->start();
    };
    for (const bool font : {true, false}) {
        SCOPED_TRACE(font ? "font" : "colour");
        QImage read;
        if (font) {
            readThenEscape(
                [](QWidget* w) {
                    return qobject_cast<QDialog*>(w) && dynamic_cast<platform::FontColorDialog*>(w);
                },
                read);
            dialog->fontsButton->click();
            EXPECT_TRUE(openedBold) << "the new text's bold shows in the chooser";
        } else {
            dialog->transparentBox->setChecked(false);
            const QColor background = dialog->previewBackground();
            readThenEscape([](QWidget* w) { return qobject_cast<QColorDialog*>(w) != nullptr; },
                           read);
            dialog->backColorButton->click();
            EXPECT_EQ(dialog->previewBackground(), background);
        }
        ASSERT_FALSE(read.isNull()) << "the dialog was not readable: " << stage.toStdString();
        EXPECT_EQ(stage, QStringLiteral("escaped"));
        // A dialog drawn in front of the frozen screen is not one flat colour.
        const QRgb corner = read.pixel(read.width() / 2, read.height() / 2);
        bool varied = false;
        for (int y = 0; y < read.height() && !varied; y += 3)
            for (int x = 0; x < read.width() && !varied; x += 3)
                varied = read.pixel(x, y) != corner;
        EXPECT_TRUE(varied);
        const objects::FontStyle& after = dialog->previewStyle();
        EXPECT_EQ(after.name, before.name);
        EXPECT_EQ(after.size, before.size);
        EXPECT_EQ(after.bold, before.bold);
        EXPECT_EQ(after.color, before.color);
    }
}

}  // namespace
}  // namespace qv::shell
