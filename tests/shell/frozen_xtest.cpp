// Captures of a real frozen X screen (the other services are fakes) hold exactly xwd's pixels.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <optional>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/xvfbtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

class PatternWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 7)
            p.fillRect(x, 0, 7, height(), QColor::fromHsv((x * 3) % 360, 200, 240));
        for (int y = 0; y < height(); y += 9)
            p.fillRect(0, y, width(), 2, QColor::fromHsv((y * 5) % 360, 250, 120));
        p.drawText(rect(), Qt::AlignCenter, "capture me");
    }
};

// The main window has gone to the tray, as after start-up.
class FrozenX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        startServer({.windowManager = true});
        fake_.emplace();
        fake_->services().desktop = std::make_unique<platform::X11Desktop>();
        prog_ = std::make_unique<Program>();
        prog_->optionsWindows().optionsDialog.get();  // its load reads the settings
        prog_->options.settings.autoCopy = false;
        prog_->options.settings.autoPopupMenu = false;
        prog_->options.settings.releaseAfterCapture = false;
        prog_->shellWindows().mainWindow->hide();
    }
    void TearDown() override {
        window_.reset();
        prog_.reset();
        fake_.reset();
        XvfbTest::TearDown();
    }

    // Shows the pattern window framed by the window manager, reads the screen with xwd and
    // gives the frame.
    QRect showFramed(const QRect& rect) {
        window_.emplace();
        window_->setWindowTitle("pattern");
        window_->setGeometry(rect);
        window_->show();
        QRect frame;
        if (!QTest::qWaitForWindowExposed(&*window_))
            return frame;
        processUntil([&] {
            frame = platform::desktop().windowFrame(window_->winId());
            return !frame.isEmpty() && frame != rect;
        });
        platform::desktop().flush();
        root_ = testsupport::xwdRoot();
        return root_.isNull() ? QRect() : frame;
    }

    QImage capture(bool window, platform::WindowId target) {
        auto& s = prog_->captureState;
        (window ? s.freeze.pendingWindow : s.freeze.pendingScreen) = true;
        s.freeze.captureAvailable = true;
        prog_->capture.targetWindow = target;
        prog_->shellWindows().mainWindow->showFrozenScreen();
        return buffer();
    }

    void xdotool(const QStringList& arguments) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), arguments), 0);
    }
    void pointerTo(QPoint at) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        ASSERT_TRUE(processUntil([&] {
            const auto& s = prog_->captureState;
            return s.dragState != capture::DragState::Dragging || s.dragEnd == at * 15;
        })) << "the pointer never reached "
            << at.x() << "," << at.y();
    }
    // A flick: one move, then the release draws the band through the release point.
    void dragBand(QPoint from, QPoint to) {
        pointerTo(from);
        xdotool({"mousedown", "1"});
        ASSERT_TRUE(processUntil(
            [&] { return prog_->captureState.dragState == capture::DragState::Dragging; }));
        pointerTo(to);
        prog_->captureState.freeze.captureAvailable = false;
        xdotool({"mouseup", "1"});
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
            << "no capture after the mouse-up";
    }
    QImage buffer() { return prog_->capture.buffer.convertToFormat(QImage::Format_RGB32); }
    static QImage clipboard() {
        return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
    std::optional<PatternWindow> window_;
    QImage root_;
};

TEST_F(FrozenX, EntireScreenAndActiveWindowEqualXwd) {
    const QRect frame = showFramed(QRect(200, 150, 420, 260));
    ASSERT_FALSE(frame.isEmpty()) << "the window manager never framed the window";
    EXPECT_EQ(capture(true, window_->winId()), root_.copy(frame));
    prog_->shellWindows().mainWindow->resetAfterRelease();
    // The released frozen screen leaves the screen, and what it covered repaints, only once
    // the events have run.
    processUntil([&] { return testsupport::xwdRoot() == root_; });
    EXPECT_EQ(capture(false, 0), root_);
}

TEST_F(FrozenX, DraggedRectangleAndCircleHoldExactlyTheFrozenPixels) {
    fake_->services().clipboard = std::make_unique<platform::QtClipboard>();
    prog_->options.settings.autoCopy = true;
    ASSERT_FALSE(showFramed(QRect(150, 120, 600, 420)).isEmpty())
        << "the window manager never framed the window";

    auto& shellWindows = prog_->shellWindows();
    shellWindows.mainWindow->freezeItem->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shellWindows.frozenScreen.get()));
    ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.desktopFrozen; }));
    window_->hide();  // the frozen picture is what counts

    const QPoint from(210, 170);
    dragBand(from, QPoint(530, 395));
    const QImage rectangle = root_.copy(QRect(from + QPoint(1, 1), QSize(318, 223)));
    EXPECT_EQ(buffer(), rectangle);
    EXPECT_EQ(clipboard(), rectangle);

    prog_->capture.shape = capture::SelectionShape::Circle;
    const QPoint centre(420, 330);
    dragBand(centre, centre + QPoint(40, 50));  // radius 80 pixels
    QImage circle = root_.copy(QRect(centre - QPoint(79, 79), QSize(158, 158)));
    for (int y = 0; y < 158; ++y)
        for (int x = 0; x < 158; ++x)
            if (std::hypot(x + 0.5 - 79, y + 0.5 - 79) > 79 - 1.7)
                circle.setPixel(x, y, qRgb(255, 255, 255));
    EXPECT_EQ(buffer(), circle);
    EXPECT_EQ(clipboard(), circle);
}

}  // namespace
}  // namespace qv::shell
