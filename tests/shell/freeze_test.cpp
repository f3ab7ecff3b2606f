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
        const auto& s = shellState();
        EXPECT_EQ(QSize(s.screenpixelwidth, s.screenpixelheight), QSize(1280, 800));
        EXPECT_EQ(s.twipsperpixelx, twips);
        EXPECT_EQ(s.screentwipsheight, 800 * twips);
        EXPECT_EQ(frozenScreen().heightTwips(), 800 * twips - 10);  // yet it covers every pixel
        EXPECT_EQ(frozenScreen().geometry(), QRect(0, 0, 1280, 800));
        EXPECT_TRUE(s.desktopfrozen);
        EXPECT_EQ(frozenScreen().Picture1->picture(), fake.desktop().screen);
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

TEST_F(FreezeTest, FreezeWhileFrozenClearsEverythingAndShowsAFreshSnapshot) {
    freeze();
    QPointer<FrozenScreen> old = &frozenScreen();
    shellState().captureavailable = prog.objects.objectsadded = true;
    form3().Picture1->setImage(QImage(10, 10, QImage::Format_RGB32));

    fake.desktop().screen = patternScreen(1280, 800).mirrored(true, false);
    bool oldGoneBeforeGrab = false;
    fake.desktop().onGrab = [&] {
        oldGoneBeforeGrab =
            !old->isVisible() && fake.desktop().flushes > 0 && fake.clock().sleeps.back() == 350;
    };
    freeze();
    EXPECT_TRUE(oldGoneBeforeGrab);
    EXPECT_NE(&frozenScreen(), old.data());
    EXPECT_FALSE(shellState().captureavailable);
    EXPECT_FALSE(prog.objects.objectsadded);
    EXPECT_TRUE(buffer().isNull());
    EXPECT_EQ(frozenScreen().Picture1->picture(), fake.desktop().screen);
    flushDrops();
    EXPECT_TRUE(old.isNull());
}

TEST_F(FreezeTest, ReleaseHidesTheToolWindowsAndResetsTheCaptureState) {
    freeze();
    auto& tools = prog.objectsWindows();
    const std::initializer_list<QWidget*> windows = {&tools.objectsPalette.get(), &tools.textOptions.get(),
                                                     &tools.shapeOptions.get(), &tools.lineOptions.get()};
    for (QWidget* w : windows)
        w->show();
    auto& s = shellState();
    auto& o = prog.objects;
    const std::initializer_list<bool*> cleared = {
        &s.pendingwindow,      &s.pendingscreen,    &s.dialogopen,      &s.captureavailable,
        &s.recaptured,         &o.popupnoticeshown, &o.objectsadded,    &o.objectsdeleted,
        &o.shapeoptionsopen,   &o.lineoptionsopen,  &o.textoptionsopen, &o.shapecolordialogopen,
        &o.linecolordialogopen};
    const std::initializer_list<bool*> kept = {&s.capturevalid, &s.rectangularmode,
                                               &s.circularmode, &s.contextpopup,
                                               &s.trayhover,    &s.areacapturerunning};
    for (auto flags : {cleared, kept})
        for (bool* flag : flags)
            *flag = true;

    mainWindow().releaseItem->trigger();

    for (QWidget* w : windows)
        EXPECT_FALSE(w->isVisible());
    for (bool* flag : cleared)
        EXPECT_FALSE(*flag);
    for (bool* flag : kept)
        EXPECT_TRUE(*flag);
    EXPECT_FALSE(s.desktopfrozen);
    EXPECT_FALSE(forms().frozenScreen.isLoaded());
    EXPECT_FALSE(forms().form3.isLoaded());
    EXPECT_FALSE(mainWindow().releaseItem->isEnabled());
    EXPECT_TRUE(mainWindow().captureScreenItem->isEnabled());
}

TEST_F(FreezeTest, ActivationKeepsThePictureWhileADialogIsOpen) {
    freeze();
    QWidget dialog;
    dialog.show();
    const QImage drawn(16, 16, QImage::Format_RGB32);
    frozenScreen().Picture1->setPicture(drawn);
    for (bool open : {true, false}) {
        shellState().dialogopen = open;
        QApplication::setActiveWindow(&dialog);
        QApplication::setActiveWindow(&frozenScreen());
        EXPECT_EQ(frozenScreen().Picture1->picture(), open ? drawn : fake.desktop().screen);
        EXPECT_TRUE(shellState().desktopfrozen);
    }
}

TEST_F(FreezeTest, AFailedGrabStartsAFreshCaptureHolder) {
    fake.desktop().screen = QImage();
    form3().Text1->setText(QStringLiteral("1234"));
    freeze();
    EXPECT_TRUE(frozenScreen().Picture1->picture().isNull());
    EXPECT_TRUE(form3().Text1->text().isEmpty());
    EXPECT_TRUE(shellState().desktopfrozen);
}

}  // namespace
}  // namespace qv::shell::capturetests
