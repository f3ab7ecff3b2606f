#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

class OneStepCaptureTest : public CaptureTest {
protected:
    OneStepCaptureTest() { form4().Check2->setChecked(false); }
    QImage buffer() { return form3().Picture1->image(); }
};

TEST_F(OneStepCaptureTest, EntireScreenIsTheSnapshotPixelForPixel) {
    captureEntireScreen();
    EXPECT_EQ(buffer().size(), QSize(1280, 800));
    EXPECT_EQ(buffer(), fake.desktop().screen);

    const auto& s = shellState();
    EXPECT_FALSE(s.pendingscreen);
    EXPECT_TRUE(s.captureavailable);
    EXPECT_TRUE(s.desktopfrozen);
    EXPECT_EQ(QRect(QPoint(s.bandx1, s.bandy1), QPoint(s.bandx2, s.bandy2)),
              QRect(QPoint(0, 0), QPoint(19200, 12000)));
    const CanvasShape& frame = *form2().Shape1;
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.geometry(), QRectF(10, 10, 19190, 11962));
    EXPECT_EQ(prog.objects.newobjectpos, QPointF(10 + 9595, 10 + 5981));
}

TEST_F(OneStepCaptureTest, ActiveWindowIsItsFrameClippedToTheScreen) {
    struct Row {
        const char* name;
        QRect frame;
        QRect captured;
    };
    const Row rows[] = {
        {"inside", QRect(100, 50, 300, 200), QRect(100, 50, 300, 200)},
        {"whole screen", QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800)},
        {"over the right edge", QRect(1200, 700, 300, 200), QRect(1200, 700, 80, 100)},
        {"over the top left", QRect(-20, -10, 60, 40), QRect(0, 0, 40, 30)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        form1().standardrelease();
        captureActiveWindow(addWindow(row.frame));
        EXPECT_EQ(buffer(), fake.desktop().screen.copy(row.captured));
        EXPECT_TRUE(fake.dialogs().messages.empty());
        const auto& s = shellState();
        const QRect c = row.captured;
        EXPECT_EQ(s.bandx1, c.left() * 15);
        EXPECT_EQ(s.bandx2, (c.left() + c.width()) * 15);
        EXPECT_EQ(s.bandy1, c.top() * 15);
        EXPECT_EQ(s.bandy2, (c.top() + c.height()) * 15);
        EXPECT_EQ(form2().Shape1->geometry(), QRectF(c.left() * 15 - 10, c.top() * 15 - 10,
                                                     c.width() * 15 + 25, c.height() * 15 + 25));
        EXPECT_FALSE(s.pendingwindow);
        EXPECT_TRUE(s.captureavailable);
    }
}

TEST_F(OneStepCaptureTest, ActiveWindowFailuresSayWhyAndCaptureNothing) {
    struct Row {
        const char* target;
        const char* message;
    };
    const platform::WindowId desktopId = addWindow(QRect(0, 0, 1280, 800), true);
    const platform::WindowId minimised = addWindow(QRect());
    const platform::WindowId offScreen = addWindow(QRect(2000, 100, 300, 200));
    const QByteArray desktopText = QByteArray::number(desktopId);
    const QByteArray minimisedText = QByteArray::number(minimised);
    const QByteArray offScreenText = QByteArray::number(offScreen);
    const Row rows[] = {
        {desktopText.constData(), "Window was not active !"},
        {minimisedText.constData(), "Cannot find any active Window !"},
        {offScreenText.constData(), "Cannot find any active Window !"},
        {"0", "Cannot find any active Window !"},
        {"closed window", "Cannot find any active Window !"},
        {"987654", "Cannot find any active Window !"},
    };
    for (bool silent : {false, true}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.target);
            form1().standardrelease();
            fake.dialogs().messages.clear();
            prog.autocapture.autocapturerunning = silent;
            form3().Text1->setText(QString::fromLatin1(row.target));
            requestCapture(true);

            if (silent) {
                EXPECT_TRUE(fake.dialogs().messages.empty());
            } else {
                ASSERT_EQ(fake.dialogs().messages.size(), 1u);
                const auto& shown = fake.dialogs().messages.front();
                EXPECT_EQ(shown.text, row.message);
                EXPECT_EQ(shown.title, " Quorvalline ");
                EXPECT_EQ(shown.icon, platform::MsgIcon::Information);
                EXPECT_EQ(shown.buttons, platform::MsgButtons::Ok);
            }
            EXPECT_FALSE(shellState().pendingwindow);
            EXPECT_FALSE(shellState().captureavailable);
            EXPECT_TRUE(buffer().isNull());
            EXPECT_FALSE(form2().Shape1->isVisible());
        }
    }
}

TEST_F(OneStepCaptureTest, AutoCaptureTakesThePictureWithoutAfterCaptureActions) {
    prog.autocapture.autocapturerunning = true;
    options().autoreleasedesktop = true;
    form4().Check2->setChecked(true);
    captureActiveWindow(addWindow(QRect(10, 20, 30, 40)));
    EXPECT_EQ(buffer(), fake.desktop().screen.copy(10, 20, 30, 40));
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
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&form2());

    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
    EXPECT_GT(fake.clock().processEventsCalls, processed);
    EXPECT_TRUE(shellState().pendingscreen);
    EXPECT_TRUE(buffer().isNull());
    EXPECT_EQ(fake.clipboard().clears, 0);

    handle->hide();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&form2());
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

}  // namespace
}  // namespace qv::shell::capturetests
