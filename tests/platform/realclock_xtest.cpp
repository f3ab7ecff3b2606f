// The real clock's waits on a private X server: our windows repaint meanwhile, while a click
// and a timer wait until the wait is over.
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/linux/realclock.h"
#include "platform/linux/x11desktop.h"
#include "support/xvfbtest.h"

namespace qv::platform {
namespace {

class CountingWindow : public QWidget {
public:
    int paints = 0;
    int presses = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::darkCyan);
    }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class RealClockX : public testsupport::XvfbTest {};

TEST_F(RealClockX, AWaitRepaintsButHandlesNoClickAndNoTimer) {
    startServer();
    CountingWindow window;
    window.setGeometry(100, 100, 200, 150);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(processUntil([&] { return window.paints > 0; }));

    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"mousemove", "150", "150", "click", "1"}), 0);
    // The click is in our queue once the server has answered a request sent after it.
    X11Desktop().flush();
    bool timerFired = false;
    QTimer::singleShot(1, [&] { timerFired = true; });
    const int painted = window.paints;
    window.update();

    RealClock clock;
    const qint64 start = clock.steadyMs();
    clock.sleep(60);
    EXPECT_GE(clock.steadyMs() - start, 60);
    EXPECT_GT(window.paints, painted);
    EXPECT_EQ(window.presses, 0);
    EXPECT_FALSE(timerFired);

    EXPECT_TRUE(processUntil([&] { return window.presses == 1 && timerFired; }))
        << window.presses << " " << timerFired;
}

}  // namespace
}  // namespace qv::platform
