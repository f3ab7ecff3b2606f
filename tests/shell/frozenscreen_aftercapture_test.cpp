#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using AfterCaptureTest = CaptureTest;

TEST_F(AfterCaptureTest, EveryCaptureEmptiesTheClipboardAutocopyFillsItAndTheSoundPlays) {
    for (bool autocopy : {false, true}) {
        SCOPED_TRACE(autocopy);
        mainWindow().resetAfterRelease();
        fake.clipboard().textContent = QStringLiteral("old");
        fake.clipboard().clears = 0;
        fake.clock().sleeps.clear();
        settings().autoCopy = autocopy;
        settings().soundFile = QStringLiteral("/sounds/click.wav");
        captureEntireScreen();
        EXPECT_EQ(fake.sound().played.back(), "/sounds/click.wav");
        EXPECT_EQ(fake.clipboard().clears, 1);
        EXPECT_TRUE(fake.clipboard().textContent.isNull());
        EXPECT_EQ(fake.clipboard().imageContent, autocopy ? fake.desktop().screen : QImage());
        EXPECT_EQ(fake.clock().sleeps, autocopy ? std::vector<int>{500} : std::vector<int>{});
    }
}

TEST_F(AfterCaptureTest, PopupAndReleaseFollowTheOptionsUnlessObjectsWereAdded) {
    struct Row {
        bool popup, release, objects, popped, released;
    };
    const Row rows[] = {
        {false, false, false, false, false}, {true, false, false, true, false},
        {false, true, false, false, true},   {true, true, false, true, false},
        {false, false, true, false, false},  {true, false, true, false, false},
        {false, true, true, false, false},   {true, true, true, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.popup << row.release << row.objects);
        mainWindow().resetAfterRelease();
        freeze();
        settings().autoPopupMenu = row.popup;
        settings().releaseAfterCapture = row.release;
        prog.objects.freeze.objectsAdded = row.objects;
        answerNextMenu();
        frozenScreen().runAfterCaptureActions();
        menuAnswer.stop();

        EXPECT_EQ(popped == mainWindow().contextMenu, row.popped);
        EXPECT_EQ(poppedDefault, row.popped ? mainWindow().contextReleaseItem : nullptr);
        EXPECT_EQ(!captureState().freeze.desktopFrozen, row.released);
        EXPECT_EQ(!shellWindows().frozenScreen.exists(), row.released);
    }
}

TEST_F(AfterCaptureTest, ReleaseChosenFromThePoppedMenuInsideTheCaptureIsSafe) {
    settings().autoPopupMenu = true;
    settings().autoCopy = true;
    answerNextMenu(mainWindow().contextReleaseItem);
    captureEntireScreen();
    EXPECT_EQ(popped, mainWindow().contextMenu);
    EXPECT_FALSE(captureState().freeze.desktopFrozen);
    EXPECT_FALSE(shellWindows().frozenScreen.exists());
    flushDrops();
    // The capture reached the clipboard before the release dropped the buffer.
    EXPECT_EQ(fake.clipboard().imageContent, fake.desktop().screen);
    EXPECT_TRUE(buffer().isNull());
}

TEST_F(AfterCaptureTest, TheDotsMarkerCyclesFromOneToTenDots) {
    freeze();
    FrozenScreen& frozen = frozenScreen();
    EXPECT_EQ(frozen.dotsMarker->caption(), "............");
    EXPECT_FALSE(frozen.markerTimer->isActive());
    frozen.markerTimer->start(200);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}) {
        fake.clock().advance(200);
        EXPECT_EQ(frozen.dotsMarker->caption(), QString(n, QLatin1Char('.')));
    }
    fake.clock().advance(199);
    EXPECT_EQ(frozen.dotsMarker->caption(), "..");
}

}  // namespace
}  // namespace qv::shell::capturetests
