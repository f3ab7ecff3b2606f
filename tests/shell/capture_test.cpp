#include "shell/capture_fixture.h"
#include "shell/screengrab.h"

namespace qv::shell::capturetests {
namespace {

class OneStepCaptureTest : public CaptureTest {
protected:
    OneStepCaptureTest() { form4().Check2->setChecked(false); }
    void captureActiveWindow(const QString& target) {
        form3().Text1->setText(target);
        requestCapture(true);
    }
};

TEST_F(OneStepCaptureTest, EntireScreenIsTheSnapshotPixelForPixel) {
    captureEntireScreen();
    EXPECT_EQ(buffer(), fake.desktop().screen);
    const auto& s = shellState();
    EXPECT_FALSE(s.pendingscreen);
    EXPECT_TRUE(s.captureavailable);
    EXPECT_TRUE(s.desktopfrozen);
    EXPECT_EQ(QRect(QPoint(s.bandx1, s.bandy1), QPoint(s.bandx2, s.bandy2)),
              QRect(QPoint(0, 0), QPoint(19200, 12000)));
    EXPECT_EQ(form2().Shape1->geometry(), QRectF(10, 10, 19190, 11962));
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
        form1().standardrelease();
        captureActiveWindow(QString::number(addWindow(frame)));
        EXPECT_EQ(buffer(), screen(c));
        EXPECT_TRUE(fake.dialogs().messages.empty());
        const auto& s = shellState();
        EXPECT_EQ(QRect(QPoint(s.bandx1, s.bandy1), QPoint(s.bandx2, s.bandy2)),
                  QRect(c.topLeft() * 15, (c.bottomRight() + QPoint(1, 1)) * 15));
        EXPECT_EQ(form2().Shape1->geometry(), QRectF(c.left() * 15 - 10, c.top() * 15 - 10,
                                                     c.width() * 15 + 25, c.height() * 15 + 25));
    }
}

TEST_F(OneStepCaptureTest, ActiveWindowFailuresSayWhyAndCaptureNothing) {
    const QString notFound = QStringLiteral("Cannot find any active Window !");
    const std::pair<QString, QString> rows[] = {
        {QString::number(addWindow(QRect(0, 0, 1280, 800), true)), "Window was not active !"},
        {QString::number(addWindow(QRect())), notFound},  // minimised
        {QString::number(addWindow(QRect(2000, 100, 300, 200))), notFound},
        {"closed window", notFound},
    };
    for (bool silent : {false, true}) {
        for (const auto& [target, message] : rows) {
            SCOPED_TRACE(target.toStdString());
            form1().standardrelease();
            fake.dialogs().messages.clear();
            prog.autocapture.autocapturerunning = silent;
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
            EXPECT_FALSE(shellState().pendingwindow);
            EXPECT_FALSE(shellState().captureavailable);
            EXPECT_TRUE(buffer().isNull());
        }
    }
}

TEST_F(OneStepCaptureTest, AutoCaptureTakesThePictureWithoutAfterCaptureActions) {
    prog.autocapture.autocapturerunning = true;
    options().autoreleasedesktop = true;
    form4().Check2->setChecked(true);
    captureActiveWindow(QString::number(addWindow(QRect(10, 20, 30, 40))));
    EXPECT_EQ(buffer(), screen(QRect(10, 20, 30, 40)));
    EXPECT_EQ(fake.clipboard().clears, 0);
    EXPECT_TRUE(fake.sound().played.empty());
    EXPECT_TRUE(shellState().desktopfrozen);
}

TEST_F(OneStepCaptureTest, ASelectedObjectOnlyPausesAndKeepsTheRequest) {
    freeze();
    CanvasShape* handle = form2().Picture1->addShape(CanvasItem::Role::Selection);
    fake.clock().sleeps.clear();
    const int processed = fake.clock().processEventsCalls;
    shellState().pendingscreen = true;
    QWidget other;
    other.show();
    const auto activate = [&] {
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(&form2());
    };
    activate();
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
    EXPECT_GT(fake.clock().processEventsCalls, processed);
    EXPECT_TRUE(shellState().pendingscreen);
    EXPECT_TRUE(buffer().isNull());

    handle->hide();
    activate();
    EXPECT_FALSE(shellState().pendingscreen);
    EXPECT_EQ(buffer(), fake.desktop().screen);
}

TEST_F(OneStepCaptureTest, ACaptureJustMadeAgainSwallowsTheRequestOnce) {
    shellState().recaptured = true;
    captureEntireScreen();
    EXPECT_FALSE(shellState().recaptured);
    EXPECT_TRUE(shellState().pendingscreen);
    EXPECT_TRUE(buffer().isNull());
    EXPECT_EQ(shellState().dragstate, 1);
}

TEST_F(OneStepCaptureTest, GrabbedRectanglesCountFromTheWindowsCornerAndAreBlackBeyondTheScreen) {
    const platform::WindowId window = addWindow(QRect(1200, 100, 200, 100));
    EXPECT_EQ(Module2::GrabWindowPicture(window, false, 10, 20, 30, 40),
              screen(QRect(1210, 120, 30, 40)));
    const QImage across = Module2::GrabWindowPicture(window, true, 50, 0, 100, 10);
    ASSERT_EQ(across.size(), QSize(100, 10));
    EXPECT_EQ(across.copy(0, 0, 30, 10), screen(QRect(1250, 100, 30, 10)));
    EXPECT_EQ(across.pixel(30, 0), qRgb(0, 0, 0));
    EXPECT_EQ(across.pixel(99, 9), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace qv::shell::capturetests
