#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class OneStepCaptureTest : public CaptureTest {
protected:
    OneStepCaptureTest() { settings().autoCopy = false; }
    void captureActiveWindow(platform::WindowId target) {
        session().targetWindow = target;
        requestCapture(true);
    }
};

TEST_F(OneStepCaptureTest, EntireScreenIsTheSnapshotPixelForPixel) {
    captureEntireScreen();
    EXPECT_EQ(buffer(), fake.desktop().screen);
    const auto& s = captureState();
    EXPECT_FALSE(s.freeze.pendingScreen);
    EXPECT_TRUE(s.freeze.captureAvailable);
    EXPECT_TRUE(s.freeze.desktopFrozen);
    EXPECT_EQ(QRect(QPoint(s.bandX1, s.bandY1), QPoint(s.bandX2, s.bandY2)),
              QRect(QPoint(0, 0), QPoint(19200, 12000)));
    EXPECT_EQ(frozenScreen().band->geometry(), QRectF(10, 10, 19190, 11962));
}

TEST_F(OneStepCaptureTest, ActiveWindowIsItsFrameClippedToTheScreen) {
    const std::pair<QRect, QRect> rows[] = {
        {{100, 50, 300, 200}, {100, 50, 300, 200}},
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}},
        {{1200, 700, 300, 200}, {1200, 700, 80, 100}},
        {{-20, -10, 60, 40}, {0, 0, 40, 30}},
    };
    for (const auto& [frame, c] : rows) {
        SCOPED_TRACE(::testing::Message() << frame.x() << "," << frame.y());
        mainWindow().resetAfterRelease();
        captureActiveWindow(addWindow(frame));
        EXPECT_EQ(buffer(), screen(c));
        EXPECT_TRUE(fake.dialogs().messages.empty());
        const auto& s = captureState();
        EXPECT_EQ(QRect(QPoint(s.bandX1, s.bandY1), QPoint(s.bandX2, s.bandY2)),
                  QRect(c.topLeft() * 15, (c.bottomRight() + QPoint(1, 1)) * 15));
        EXPECT_EQ(frozenScreen().band->geometry(),
                  QRectF(c.left() * 15 - 10, c.top() * 15 - 10, c.width() * 15 + 25,
                         c.height() * 15 + 25));
    }
}

TEST_F(OneStepCaptureTest, ActiveWindowFailuresSayWhyAndCaptureNothing) {
    const QString notFound = QStringLiteral("Cannot find any active Window !");
    const std::pair<platform::WindowId, QString> rows[] = {
        {addWindow(QRect(0, 0, 1280, 800), true), "Window was not active !"},
        {addWindow(QRect()), notFound},  // minimised
        {addWindow(QRect(2000, 100, 300, 200)), notFound},
        {0x2a0ffff, notFound},  // closed meanwhile
        {0, notFound},          // none remembered
    };
    for (bool silent : {false, true}) {
        for (const auto& [target, message] : rows) {
            SCOPED_TRACE(target);
            mainWindow().resetAfterRelease();
            fake.dialogs().messages.clear();
            prog.autocapture.autoCaptureRunning = silent;
            captureActiveWindow(target);
            if (silent) {
                EXPECT_TRUE(fake.dialogs().messages.empty());
            } else {
                ASSERT_EQ(fake.dialogs().messages.size(), 1u);
                const auto& shown = fake.dialogs().messages.front();
                EXPECT_EQ(shown.text, message);
                EXPECT_EQ(shown.title, " Quorvalline ");
                EXPECT_EQ(shown.icon, platform::MsgIcon::Information);
            }
            EXPECT_FALSE(captureState().freeze.pendingWindow);
            EXPECT_FALSE(captureState().freeze.captureAvailable);
            EXPECT_TRUE(buffer().isNull());
        }
    }
}

TEST_F(OneStepCaptureTest, AutoCaptureTakesThePictureWithoutAfterCaptureActions) {
    prog.autocapture.autoCaptureRunning = true;
    settings().releaseAfterCapture = true;
    settings().autoCopy = true;
    captureActiveWindow(addWindow(QRect(10, 20, 30, 40)));
    EXPECT_EQ(buffer(), screen(QRect(10, 20, 30, 40)));
    EXPECT_EQ(fake.clipboard().clears, 0);
    EXPECT_TRUE(fake.sound().played.empty());
    EXPECT_TRUE(captureState().freeze.desktopFrozen);
}

// The window manager hands the activation back to a window of ours while the screen is read.
TEST_F(OneStepCaptureTest, AnotherWindowOfOursActivatedMeanwhileCostsNoCapture) {
    QWidget& options = prog.optionsWindows().optionsDialog.get();
    options.show();
    fake.desktop().duringSettle = [&] { QApplication::setActiveWindow(&options); };
    const platform::WindowId window = addWindow(QRect(10, 20, 30, 40));
    for (bool activeWindow : {false, true}) {
        mainWindow().resetAfterRelease();
        activeWindow ? captureActiveWindow(window) : captureEntireScreen();
        EXPECT_EQ(buffer(), activeWindow ? screen(QRect(10, 20, 30, 40)) : fake.desktop().screen);
    }
}

TEST_F(OneStepCaptureTest, ASelectedObjectOnlyPausesAndKeepsTheRequest) {
    freeze();
    // A shown handle marks a selected object.
    CanvasItem* handle = frozenScreen().objectLayer->items().handles[0];
    handle->show();
    fake.clock().sleeps.clear();
    const int processed = fake.clock().processEventsCalls;
    captureState().freeze.pendingScreen = true;
    QWidget other;
    other.show();
    const auto activate = [&] {
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(&frozenScreen());
    };
    activate();
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
    EXPECT_GT(fake.clock().processEventsCalls, processed);
    EXPECT_TRUE(captureState().freeze.pendingScreen);
    EXPECT_TRUE(buffer().isNull());

    handle->hide();
    activate();
    EXPECT_FALSE(captureState().freeze.pendingScreen);
    EXPECT_EQ(buffer(), fake.desktop().screen);
}

}  // namespace
}  // namespace qv::shell::capturetests
