#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using AfterCaptureTest = CaptureTest;

TEST_F(AfterCaptureTest, EveryCaptureEmptiesTheClipboardAutocopyFillsItAndTheSoundPlays) {
    for (bool autocopy : {false, true}) {
        SCOPED_TRACE(autocopy);
        form1().standardrelease();
        fake.clipboard().textContent = QStringLiteral("old");
        fake.clipboard().clears = 0;
        fake.clock().sleeps.clear();
        form4().Check2->setChecked(autocopy);
        form4().Text5->setText(QStringLiteral("/sounds/click.wav"));
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
        form1().standardrelease();
        freeze();
        options().autopopupmenu = row.popup;
        options().autoreleasedesktop = row.release;
        prog.objects.objectsadded = row.objects;
        popped = nullptr;
        answerNextMenu();
        form2().releaseonscroractwin();
        menuAnswer.stop();

        EXPECT_EQ(popped == form1().mnuContext, row.popped);
        if (row.popped)
            EXPECT_EQ(poppedDefault, form1().mnuContextRelease);
        EXPECT_EQ(!shellState().desktopfrozen, row.released);
        EXPECT_EQ(!forms().form2.isLoaded(), row.released);
    }
}

TEST_F(AfterCaptureTest, ReleaseChosenFromThePoppedMenuInsideTheCaptureIsSafe) {
    options().autopopupmenu = true;
    form4().Check2->setChecked(true);
    answerNextMenu(form1().mnuContextRelease);
    captureEntireScreen();
    EXPECT_EQ(popped, form1().mnuContext);
    EXPECT_FALSE(shellState().desktopfrozen);
    EXPECT_FALSE(forms().form2.isLoaded());
    flushDrops();
    // The capture reached the clipboard before the release dropped the buffer.
    EXPECT_EQ(fake.clipboard().imageContent, fake.desktop().screen);
    EXPECT_TRUE(buffer().isNull());
}

TEST_F(AfterCaptureTest, TheDotsMarkerCyclesFromOneToTenDots) {
    freeze();
    Form2& f2 = form2();
    EXPECT_EQ(f2.Label2->caption(), "............");
    EXPECT_FALSE(f2.Timer1->isActive());
    f2.Timer1->start(200);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}) {
        fake.clock().advance(200);
        EXPECT_EQ(f2.Label2->caption(), QString(n, QLatin1Char('.')));
    }
    fake.clock().advance(199);
    EXPECT_EQ(f2.Label2->caption(), "..");
}

}  // namespace
}  // namespace qv::shell::capturetests
