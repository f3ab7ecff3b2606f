#include <QPointer>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using FreezeTest = CaptureTest;

TEST_F(FreezeTest, ShowsTheSnapshotFullScreenForEachResolution) {
    struct Row {
        int dpi;
        double twips;
    };
    for (const Row row : {Row{96, 15}, Row{120, 12}, Row{144, 10}}) {
        SCOPED_TRACE(row.dpi);
        fake.desktop().dpiX = fake.desktop().dpiY = row.dpi;
        form1().standardrelease();
        freeze();

        const auto& s = shellState();
        EXPECT_EQ(s.screenpixelwidth, 1280);
        EXPECT_EQ(s.screenpixelheight, 800);
        EXPECT_EQ(s.twipsperpixelx, row.twips);
        EXPECT_EQ(s.screentwipswidth, 1280 * row.twips);
        EXPECT_EQ(s.screentwipsheight, 800 * row.twips);
        // The window is 10 twips shorter than the screen, its picture as tall as the screen,
        // and on the screen the window still covers every pixel of it.
        EXPECT_EQ(form2().heightTwips(), 800 * row.twips - 10);
        EXPECT_EQ(form2().widthTwips(), 1280 * row.twips);
        EXPECT_EQ(form2().geometry(), QRect(0, 0, 1280, 800));
        EXPECT_EQ(form2().Picture1->size(), QSize(1280, 800));
        EXPECT_TRUE(form2().isVisible());
        EXPECT_TRUE(s.desktopfrozen);
        EXPECT_EQ(form2().Picture1->picture(), fake.desktop().screen);
        EXPECT_EQ(form3().Picture2->image(), fake.desktop().screen);
    }
}

TEST_F(FreezeTest, BusyPointerLastsOnlyWhileTheScreenIsRead) {
    int busyDuringGrab = -1;
    fake.desktop().onGrab = [&] { busyDuringGrab = fake.desktop().busyPointers; };
    freeze();
    EXPECT_EQ(busyDuringGrab, 1);
    EXPECT_EQ(fake.desktop().busyPointers, 0);
    EXPECT_EQ(fake.desktop().grabs, 1);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{350});
}

TEST_F(FreezeTest, SetsTheMenusForTheFrozenScreen) {
    Form1& f1 = form1();
    for (QAction* a : {f1.mnuDraw, f1.mnurectangle, f1.mnuaddobject})
        a->setEnabled(false);
    freeze();
    EXPECT_TRUE(f1.mnuDraw->isEnabled());
    EXPECT_TRUE(f1.mnurectangle->isEnabled());
    EXPECT_TRUE(f1.mnuaddobject->isEnabled());
    EXPECT_TRUE(f1.mnuRelease->isEnabled());
    EXPECT_FALSE(f1.mnuactivewindow->isEnabled());
    EXPECT_FALSE(f1.mnucapturescreen->isEnabled());

    f1.mnuRelease->trigger();
    EXPECT_FALSE(f1.mnuRelease->isEnabled());
    EXPECT_TRUE(f1.mnuactivewindow->isEnabled());
    EXPECT_TRUE(f1.mnucapturescreen->isEnabled());
}

TEST_F(FreezeTest, FreezeWhileFrozenClearsEverythingAndShowsAFreshSnapshot) {
    freeze();
    QPointer<Form2> old = &form2();
    auto& s = shellState();
    s.captureavailable = s.dialogopen = true;
    prog.objects.objectsadded = true;
    form3().Picture1->setImage(QImage(10, 10, QImage::Format_RGB32));
    prog.objectsForms().form16->show();

    fake.desktop().screen = patternScreen(1280, 800).mirrored(true, false);
    bool oldGoneBeforeGrab = false;
    fake.desktop().onGrab = [&] {
        oldGoneBeforeGrab = (old.isNull() || !old->isVisible()) && fake.desktop().flushes > 0 &&
                            fake.clock().sleeps.back() == 350;
    };
    freeze();

    EXPECT_TRUE(oldGoneBeforeGrab);
    EXPECT_NE(&form2(), old.data());
    EXPECT_FALSE(prog.objectsForms().form16->isVisible());
    EXPECT_FALSE(s.captureavailable);
    EXPECT_FALSE(s.dialogopen);
    EXPECT_FALSE(prog.objects.objectsadded);
    EXPECT_TRUE(form3().Picture1->image().isNull());
    EXPECT_TRUE(s.desktopfrozen);
    EXPECT_EQ(form2().Picture1->picture(), fake.desktop().screen);
    flushDrops();
    EXPECT_TRUE(old.isNull());
}

TEST_F(FreezeTest, ReleaseHidesTheToolWindowsAndResetsTheCaptureState) {
    freeze();
    auto& tools = prog.objectsForms();
    for (QWidget* w : std::initializer_list<QWidget*>{&tools.form16.get(), &tools.form17.get(),
                                                      &tools.form18.get(), &tools.form19.get()})
        w->show();
    auto& s = shellState();
    auto& o = prog.objects;
    for (bool* flag : {&s.pendingwindow, &s.pendingscreen, &s.dialogopen, &s.captureavailable,
                       &s.recaptured, &o.popupnoticeshown, &o.objectsadded, &o.objectsdeleted,
                       &o.shapeoptionsopen, &o.lineoptionsopen, &o.textoptionsopen,
                       &o.shapecolordialogopen, &o.linecolordialogopen})
        *flag = true;
    const std::initializer_list<bool*> kept = {&s.capturevalid, &s.rectangularmode,
                                               &s.circularmode, &s.contextpopup,
                                               &s.trayhover, &s.areacapturerunning};
    for (bool* flag : kept)
        *flag = true;
    QPointer<Form2> frozen = &form2();

    form1().standardrelease();

    EXPECT_FALSE(tools.form16->isVisible());
    EXPECT_FALSE(tools.form17->isVisible());
    EXPECT_FALSE(tools.form18->isVisible());
    EXPECT_FALSE(tools.form19->isVisible());
    for (bool flag : {s.pendingwindow, s.pendingscreen, s.dialogopen, s.desktopfrozen,
                      s.captureavailable, s.recaptured, o.popupnoticeshown, o.objectsadded,
                      o.objectsdeleted, o.shapeoptionsopen, o.lineoptionsopen,
                      o.textoptionsopen, o.shapecolordialogopen, o.linecolordialogopen})
        EXPECT_FALSE(flag);
    for (bool* flag : kept)
        EXPECT_TRUE(*flag);
    EXPECT_FALSE(frozen->isVisible());
    EXPECT_FALSE(forms().form2.isLoaded());
    EXPECT_FALSE(forms().form3.isLoaded());
}

TEST_F(FreezeTest, ReleaseLeavesUnopenedToolWindowsUncreated) {
    form1().standardrelease();
    EXPECT_FALSE(prog.objectsForms().form16.isLoaded());
    EXPECT_FALSE(prog.objectsForms().form19.isLoaded());
}

TEST_F(FreezeTest, ActivationKeepsThePictureWhileADialogIsOpen) {
    freeze();
    QWidget dialog;
    dialog.show();
    const QImage drawn(16, 16, QImage::Format_RGB32);
    form2().Picture1->setPicture(drawn);

    shellState().dialogopen = true;
    QApplication::setActiveWindow(&dialog);
    QApplication::setActiveWindow(&form2());
    EXPECT_EQ(form2().Picture1->picture(), drawn);
    EXPECT_TRUE(shellState().desktopfrozen);

    shellState().dialogopen = false;
    QApplication::setActiveWindow(&dialog);
    QApplication::setActiveWindow(&form2());
    EXPECT_EQ(form2().Picture1->picture(), fake.desktop().screen);
}

TEST_F(FreezeTest, ActivationRemembersTheForegroundWindowAndResetsTheDrag) {
    fake.desktop().foreground = 77;
    shellState().dragstart = QPoint(5, 6);
    shellState().dragstate = 2;
    shellState().areacapturerunning = true;
    freeze();
    EXPECT_EQ(shellState().frozenforeground, 77u);
    EXPECT_EQ(shellState().dragstart, QPoint(0, 0));
    EXPECT_EQ(shellState().dragstate, 1);
    EXPECT_FALSE(shellState().areacapturerunning);
}

TEST_F(FreezeTest, AFailedGrabStartsAFreshCaptureHolder) {
    fake.desktop().screen = QImage();
    form3().Text1->setText(QStringLiteral("1234"));
    freeze();
    EXPECT_TRUE(form2().Picture1->picture().isNull());
    EXPECT_TRUE(form3().Text1->text().isEmpty());
    EXPECT_TRUE(shellState().desktopfrozen);
}

TEST_F(FreezeTest, OutlineStyleFollowsTheOptions) {
    form4().Option3->setChecked(true);
    freeze();
    EXPECT_EQ(form2().Shape1->borderStyle(), CanvasShape::Dot);
    form4().Option4->setChecked(true);
    freeze();
    EXPECT_EQ(form2().Shape1->borderStyle(), CanvasShape::Solid);
}

TEST_F(FreezeTest, LoadPicksTheAreaPointerOfTheMode) {
    auto pointerImage = [](const QCursor& c) { return c.pixmap().toImage(); };
    shellState().rectangularmode = false;
    shellState().circularmode = true;
    EXPECT_EQ(pointerImage(form2().Picture1->cursor()), pointerImage(forms().form9->pointer()));
    forms().form2.drop();
    shellState().rectangularmode = true;
    shellState().circularmode = false;
    EXPECT_EQ(pointerImage(form2().Picture1->cursor()), pointerImage(forms().form10->pointer()));
    forms().form2.drop();
    shellState().rectangularmode = false;
    EXPECT_EQ(form2().Picture1->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace qv::shell::capturetests
