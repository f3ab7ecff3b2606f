// Every wait of the program on a private X server (the clock's, and those for a program it
// starts): our windows repaint meanwhile, while a click and a timer wait until it is over.
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

#include "platform/linux/launcher.h"
#include "platform/linux/qtprocess.h"
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

class WaitsX : public testsupport::XvfbTest {};

TEST_F(WaitsX, AWaitRepaintsButHandlesNoClickAndNoTimer) {
    startServer();
    CountingWindow window;
    window.setGeometry(100, 100, 200, 150);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(processUntil([&] { return window.paints > 0; }));

    RealClock clock;
    QtProcess process;
    Launcher launcher(2000);
    const std::pair<const char*, std::function<void()>> waits[] = {
        {"clock", [&] { clock.sleep(60); }},
        {"program run to its end", [&] { process.run("sleep", {"0.1"}, 5000); }},
        {"program launched", [&] { launcher.launch("sleep", {"0.1"}); }},
    };
    for (const auto& [name, wait] : waits) {
        SCOPED_TRACE(name);
        const int pressed = window.presses;
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"mousemove", "150", "150", "click", "1"}),
                  0);
        // The click is in our queue once the server has answered a request sent after it.
        X11Desktop().flush();
        bool timerFired = false;
        QTimer::singleShot(1, [&] { timerFired = true; });
        const int painted = window.paints;
        window.update();

        const qint64 start = clock.steadyMs();
        wait();
        EXPECT_GE(clock.steadyMs() - start, 60);
        EXPECT_GT(window.paints, painted);
        EXPECT_EQ(window.presses, pressed);
        EXPECT_FALSE(timerFired);

        EXPECT_TRUE(processUntil([&] { return window.presses == pressed + 1 && timerFired; }))
            << window.presses << " " << timerFired;
    }
}

}  // namespace
}  // namespace qv::platform
