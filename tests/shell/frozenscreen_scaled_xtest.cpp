// The frozen screen on a real X server with the application scaled by 1.5, as at 144 DPI: the
// server speaks device pixels, Qt logical ones.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/programxtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

class ScaledFrozenX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        qputenv("QT_SCALE_FACTOR", "1.5");
        ASSERT_NO_FATAL_FAILURE(startProgram({}, [](fakes::FakePlatform& fake) {
            fake.services().desktop = std::make_unique<platform::X11Desktop>();
        }));
        quietCaptures();
        prog_->options.settings.showCurrentSize = true;
    }
    void TearDown() override {
        ProgramXTest::TearDown();
        qunsetenv("QT_SCALE_FACTOR");
    }

    void xdotool(const QStringList& arguments) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), arguments), 0);
    }
    // Moves the pointer (device pixels) and waits until the frozen screen has seen it.
    void pointerTo(QPoint at) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        ASSERT_TRUE(processUntil([&] {
            return platform::desktop().cursorPos() == at &&
                   (prog_->captureState.dragState != capture::DragState::Dragging ||
                    prog_->captureState.dragEnd == at * 15);
        }));
    }
};

TEST_F(ScaledFrozenX, AFlickOnWholeDevicePixelsAndTheMenuAtThePointer) {
    // Two colours meeting inside the band, so that a shifted copy shows.
    for (auto [rect, rgb] : {std::pair{QRect(0, 0, 250, 400), 0xc03020u},
                             std::pair{QRect(250, 0, 400, 400), 0x2040c0u}})
        xcb_map_window(server->connection(), createWindow(rect, rgb, true));
    server->x().sync();
    QImage root;
    ASSERT_TRUE(processUntil([&] {
        root = testsupport::xwdRoot();
        return !root.isNull() && root.pixel(300, 150) == qRgb(0x20, 0x40, 0xc0);
    }));

    auto& shellWindows = prog_->shellWindows();
    shellWindows.mainWindow->freezeItem->trigger();
    FrozenScreen& frozenScreen = shellWindows.frozenScreen.get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frozenScreen));
    ASSERT_EQ(frozenScreen.devicePixelRatioF(), 1.5);

    // The second starts on pixels that no whole logical position reaches (301 / 1.5).
    for (const QPoint from : {QPoint(101, 101), QPoint(301, 151)}) {
        SCOPED_TRACE(::testing::PrintToString(from));
        const QPoint to = from + QPoint(201, 100);
        prog_->captureState.freeze.captureAvailable = false;
        pointerTo(from);
        xdotool({"mousedown", "1"});
        ASSERT_TRUE(processUntil(
            [&] { return prog_->captureState.dragState == capture::DragState::Dragging; }));
        EXPECT_EQ(prog_->captureState.dragStart, from * 15);
        pointerTo(to);
        xdotool({"mouseup", "1"});
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }))
            << "no capture after the mouse-up";
        EXPECT_EQ(frozenScreen.sizeReadout->caption(), " Size: 201 X 100 pixels ");
        EXPECT_EQ(prog_->capture.buffer.convertToFormat(QImage::Format_RGB32),
                  root.copy(QRect(from + QPoint(1, 1), QSize(199, 98))));
    }

    QPoint menuAt;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menuAt = menu->geometry().topLeft();
            menu->close();
        }
    });
    answer.start(10);
    // High enough that the whole context menu fits below the pointer.
    const QPoint click(450, 150);
    pointerTo(click);
    xdotool({"click", "3"});
    ASSERT_TRUE(processUntil([&] { return !menuAt.isNull(); })) << "no menu";
    EXPECT_EQ(menuAt, click / 1.5);
}

}  // namespace
}  // namespace qv::shell
