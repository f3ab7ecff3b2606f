// Captures of a real frozen X screen (the other services are fakes) hold exactly xwd's pixels.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <optional>
#include <utility>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/qttray.h"
#include "platform/linux/realclock.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "shell/windows.h"
#include "support/programxtest.h"
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

// Where two pictures differ: empty when they are equal, so a failure says where.
QString differences(const QImage& got, const QImage& wanted) {
    if (got.size() != wanted.size())
        return QStringLiteral("size %1x%2").arg(got.width()).arg(got.height());
    QRect where;
    for (int y = 0; y < got.height(); ++y) {
        for (int x = 0; x < got.width(); ++x) {
            if (got.pixel(x, y) != wanted.pixel(x, y))
                where |= QRect(x, y, 1, 1);
        }
    }
    if (where.isEmpty())
        return {};
    return QStringLiteral("differ in %1,%2 %3x%4")
        .arg(where.x())
        .arg(where.y())
        .arg(where.width())
        .arg(where.height());
}

// The main window has gone to the tray, as after start-up.
class FrozenX : public testsupport::ProgramXTest {
protected:
    void SetUp() override { start({.windowManager = true}); }
    // With a tray host, the program starts up as the user sees it (its icon in the tray, the
    // default hotkeys held on the X server, its waits taking their time) and goes to the tray.
    void start(const testsupport::XServer::Options& options) {
        ASSERT_NO_FATAL_FAILURE(startProgram(options, [&](fakes::FakePlatform& fake) {
            auto& services = fake.services();
            services.desktop = std::make_unique<platform::X11Desktop>();
            if (options.trayHost) {
                services.clock = std::make_unique<platform::RealClock>();
                services.tray = std::make_unique<platform::QtTray>();
                services.hotkeys = std::make_unique<platform::X11Hotkeys>();
            }
        }));
        if (options.trayHost)
            prog_->shellWindows().mainWindow->startUp();
        quietCaptures(!options.trayHost);
    }
    void TearDown() override {
        window_.reset();
        ProgramXTest::TearDown();
    }

    // Shows the pattern window framed by the window manager, reads the screen with xwd once
    // everything has drawn and gives the frame. The window never takes the focus, so its frame
    // looks the same whichever window of ours comes and goes.
    QRect showFramed(const QRect& rect) {
        window_.emplace();
        window_->setWindowTitle("pattern");
        window_->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        window_->setGeometry(rect);
        window_->show();
        QRect frame;
        if (!QTest::qWaitForWindowExposed(&*window_))
            return frame;
        processUntil([&] {
            frame = platform::desktop().windowFrame(window_->winId());
            return !frame.isEmpty() && frame != rect;
        });
        root_ = settledRoot();
        return root_.isNull() ? QRect() : frame;
    }
    // The screen as xwd reads it once two reads in a row agree: the window manager, the tray
    // host and we have drawn what we had to.
    static QImage settledRoot() {
        QImage previous;
        QImage now;
        const bool settled = processUntil([&] {
            previous = std::exchange(now, testsupport::xwdRoot());
            return !now.isNull() && now == previous;
        });
        return settled ? now : QImage();
    }

    QImage capture(bool window, platform::WindowId target) {
        prog_->capture.targetWindow = target;
        prog_->capture.buffer = QImage();
        MainWindow& mainWindow = prog_->shellWindows().mainWindow.get();
        window ? mainWindow.captureActiveWindow() : mainWindow.captureEntireScreen();
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
    ASSERT_TRUE(processUntil([&] { return testsupport::xwdRoot() == root_; }));
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

// The program with its icon in a tray host, driven by the pointer and the keyboard.
class FrozenTrayX : public FrozenX {
protected:
    void SetUp() override {
        start({.size = {1024, 640}, .windowManager = true, .trayHost = true});
        if (HasFatalFailure())
            return;
        // The screen to compare with is read once the icon is in the tray's strip at the top.
        ASSERT_TRUE(processUntil([&] {
            const std::optional<QRect> icon = trayIcon();
            return icon && icon->top() >= 0 && icon->bottom() < 24;
        })) << "the icon never reached the tray";
        ASSERT_FALSE(showFramed(QRect(150, 120, 420, 260)).isEmpty())
            << "the window manager never framed the window";
    }
    // Where the icon is on the screen, once the tray host has taken it in.
    std::optional<QRect> trayIcon() const {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") != 0 ||
                !widget->isVisible())
                continue;
            xcb_connection_t* c = server->connection();
            platform::x11::Reply<xcb_translate_coordinates_reply_t> at(
                xcb_translate_coordinates_reply(
                    c,
                    xcb_translate_coordinates(c, xcb_window_t(widget->winId()), server->x().root(),
                                              0, 0),
                    nullptr));
            if (at)
                return QRect(QPoint(at->dst_x, at->dst_y), widget->size());
        }
        return std::nullopt;
    }
    void click(QPoint at, int button) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                 QString::number(button)});
    }
};

TEST_F(FrozenTrayX, TrayMenuCaptureEntireScreenEqualsTheScreenBeforeTheMenu) {
    MainWindow& mainWindow = prog_->shellWindows().mainWindow.get();
    QMenu& menu = *mainWindow.trayMenu;
    for (int run = 0; run < 10; ++run) {
        click(trayIcon()->center(), 3);
        ASSERT_TRUE(processUntil([&] {
            return QApplication::activePopupWidget() == &menu && menu.windowHandle() &&
                   menu.windowHandle()->isExposed();
        })) << "a right click on the icon opens the menu";
        prog_->capture.buffer = QImage();
        click(menu.mapToGlobal(menu.actionGeometry(mainWindow.captureScreenItem).center()), 1);
        ASSERT_TRUE(processUntil([&] { return !prog_->capture.buffer.isNull(); }))
            << "no capture in run " << run;
        EXPECT_EQ(differences(buffer(), root_), QString()) << "run " << run;

        mainWindow.resetAfterRelease();
        ASSERT_TRUE(processUntil([&] { return testsupport::xwdRoot() == root_; }))
            << "the released screen never showed the desktop again";
    }
}

TEST_F(FrozenTrayX, RefreezeByHotkeyEqualsTheScreenBeforeTheFirstFreeze) {
    auto& frozen = prog_->captureState.freeze;
    prog_->shellWindows().mainWindow->freezeItem->trigger();
    ASSERT_TRUE(processUntil([&] { return frozen.desktopFrozen; }));
    for (int run = 0; run < 10; ++run) {
        const qint64 previous = prog_->capture.snapshot.cacheKey();
        xdotool({"key", "ctrl+f"});
        ASSERT_TRUE(processUntil([&] {
            const QImage& snapshot = prog_->capture.snapshot;
            return frozen.desktopFrozen && !snapshot.isNull() && snapshot.cacheKey() != previous;
        })) << "CTRL+F never froze the screen again in run "
            << run;
        EXPECT_EQ(differences(prog_->capture.snapshot.convertToFormat(QImage::Format_RGB32), root_),
                  QString())
            << "run " << run;
    }
}

}  // namespace
}  // namespace qv::shell
