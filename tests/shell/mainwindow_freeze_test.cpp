#include <QPointer>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using FreezeTest = CaptureTest;

TEST_F(FreezeTest, ShowsTheSnapshotFullScreenForEachResolution) {
    for (const auto& [dpi, twips] : {std::pair{96, 15.0}, {144, 10.0}}) {
        SCOPED_TRACE(dpi);
        fake.desktop().dpiX = fake.desktop().dpiY = dpi;
        mainWindow().resetAfterRelease();
        freeze();
        const auto& s = captureState();
        EXPECT_EQ(QSize(s.screenPixelWidth, s.screenPixelHeight), QSize(1280, 800));
        EXPECT_EQ(s.twipsPerPixelX, twips);
        EXPECT_EQ(s.screenTwipsHeight, 800 * twips);
        EXPECT_EQ(frozenScreen().heightTwips(), 800 * twips - 10);  // yet it covers every pixel
        EXPECT_EQ(frozenScreen().geometry(), QRect(0, 0, 1280, 800));
        EXPECT_TRUE(s.freeze.desktopFrozen);
        EXPECT_EQ(frozenScreen().canvas->picture(), fake.desktop().screen);
        EXPECT_TRUE(mainWindow().releaseItem->isEnabled());
    }
}

TEST_F(FreezeTest, BusyPointerLastsOnlyWhileTheScreenIsRead) {
    int busyDuringGrab = -1;
    fake.desktop().onGrab = [&] { busyDuringGrab = fake.desktop().busyPointers; };
    freeze();
    EXPECT_EQ(busyDuringGrab, 1);
    EXPECT_EQ(fake.desktop().busyPointers, 0);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{350});
}

// A menu of ours that has just closed is still on the screen until the screen has settled.
TEST_F(FreezeTest, EveryRoadToAGrabLetsTheScreenSettleFirst) {
    for (QAction* item : {mainWindow().freezeItem, mainWindow().captureScreenItem,
                          mainWindow().captureWindowItem}) {
        SCOPED_TRACE(item->text().toStdString());
        mainWindow().resetAfterRelease();
        const int before = fake.desktop().settles;
        int settledAtGrab = -1;
        fake.desktop().onGrab = [&] { settledAtGrab = fake.desktop().settles - before; };
        item->trigger();
        EXPECT_EQ(settledAtGrab, 1);
    }
}

TEST_F(FreezeTest, FreezeWhileFrozenClearsEverythingAndShowsAFreshSnapshot) {
    freeze();
    QPointer<FrozenScreen> old = &frozenScreen();
    captureState().freeze.captureAvailable = prog.objects.freeze.objectsAdded = true;
    session().buffer = QImage(10, 10, QImage::Format_RGB32);

    fake.desktop().screen = patternScreen(1280, 800).mirrored(true, false);
    bool oldGoneBeforeGrab = false;
    fake.desktop().onGrab = [&] {
        oldGoneBeforeGrab =
            !old->isVisible() && fake.desktop().flushes > 0 && fake.clock().sleeps.back() == 350;
    };
    freeze();
    EXPECT_TRUE(oldGoneBeforeGrab);
    EXPECT_NE(&frozenScreen(), old.data());
    EXPECT_FALSE(captureState().freeze.captureAvailable);
    EXPECT_FALSE(prog.objects.freeze.objectsAdded);
    EXPECT_TRUE(buffer().isNull());
    EXPECT_EQ(frozenScreen().canvas->picture(), fake.desktop().screen);
    flushDrops();
    EXPECT_TRUE(old.isNull());
}

TEST_F(FreezeTest, ReleaseHidesTheToolWindowsAndResetsTheCaptureState) {
    freeze();
    auto& tools = prog.objectsWindows();
    const std::initializer_list<QWidget*> windows = {
        &tools.objectsPalette.get(), &tools.textOptions.get(), &tools.shapeOptions.get(),
        &tools.lineOptions.get()};
    for (QWidget* w : windows)
        w->show();
    auto& s = captureState();
    auto& o = prog.objects;
    const std::initializer_list<bool*> cleared = {
        &s.freeze.pendingWindow,      &s.freeze.pendingScreen,   &s.freeze.dialogOpen,
        &s.freeze.captureAvailable,   &s.freeze.recaptured,      &o.freeze.popupNoticeShown,
        &o.freeze.objectsAdded,       &o.freeze.objectsDeleted,  &o.freeze.shapeOptionsOpen,
        &o.freeze.lineOptionsOpen,    &o.freeze.textOptionsOpen, &o.freeze.shapeColorDialogOpen,
        &o.freeze.lineColorDialogOpen};
    const std::initializer_list<bool*> kept = {&s.captureValid, &s.contextMenuFromHotkey,
                                               &s.areaCaptureRunning};
    for (auto flags : {cleared, kept})
        for (bool* flag : flags)
            *flag = true;
    session().shape = capture::SelectionShape::Circle;
    session().buffer = QImage(10, 10, QImage::Format_RGB32);
    session().targetWindow = 1234;

    mainWindow().releaseItem->trigger();

    for (QWidget* w : windows)
        EXPECT_FALSE(w->isVisible());
    for (bool* flag : cleared)
        EXPECT_FALSE(*flag);
    for (bool* flag : kept)
        EXPECT_TRUE(*flag);
    EXPECT_FALSE(s.freeze.desktopFrozen);
    EXPECT_FALSE(shellWindows().frozenScreen.exists());
    EXPECT_TRUE(session().snapshot.isNull());
    EXPECT_TRUE(session().buffer.isNull());
    EXPECT_EQ(session().targetWindow, 0u);
    EXPECT_EQ(session().shape, capture::SelectionShape::Circle);
    EXPECT_FALSE(mainWindow().releaseItem->isEnabled());
    EXPECT_TRUE(mainWindow().captureScreenItem->isEnabled());
}

TEST_F(FreezeTest, ActivationKeepsThePictureWhileADialogIsOpen) {
    freeze();
    QWidget dialog;
    dialog.show();
    const QImage drawn(16, 16, QImage::Format_RGB32);
    frozenScreen().canvas->setPicture(drawn);
    for (bool open : {true, false}) {
        captureState().freeze.dialogOpen = open;
        QApplication::setActiveWindow(&dialog);
        QApplication::setActiveWindow(&frozenScreen());
        EXPECT_EQ(frozenScreen().canvas->picture(), open ? drawn : fake.desktop().screen);
        EXPECT_TRUE(captureState().freeze.desktopFrozen);
    }
}

TEST_F(FreezeTest, AFailedGrabStartsAFreshCaptureSession) {
    fake.desktop().screen = QImage();
    session().targetWindow = 1234;
    freeze();
    EXPECT_TRUE(frozenScreen().canvas->picture().isNull());
    EXPECT_EQ(session().targetWindow, 0u);
    EXPECT_TRUE(captureState().freeze.desktopFrozen);
}

}  // namespace
}  // namespace qv::shell::capturetests
