// A full-screen rectangular area capture on the frozen screen, from the mouse-up to the
// capture buffer filled, against one copy of the snapshot; and one mouse-move of a drag over
// full object pools. Runs offscreen on the fake platform, so no wait of the program is timed.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTextStream>

#include "app/program.h"
#include "bench/benchutil.h"
#include "bench/frozenprogram.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace {

using namespace qv;

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void measure(QSize size, int runs, QTextStream& out) {
    fakes::FakePlatform fake;
    fake.desktop().screen = bench::coordinatePattern(size);
    Program program;
    shell::FrozenScreen& frozenScreen = bench::freezeQuietly(program, true);
    QWidget* picture = frozenScreen.canvas;

    const QImage& snapshot = frozenScreen.canvas->picture();
    QImage copied;  // each run frees the copy before, as a temporary would
    const double copy = bench::medianMs(runs, [&] { copied = snapshot.copy(); });

    const QPoint far(size.width() - 1, size.height() - 1);
    auto drag = [&] {
        send(picture, QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        send(picture, QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
        send(picture, QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
    };
    drag();
    const double up = bench::medianMs(
        runs, [&] { send(picture, QEvent::MouseButtonRelease, far, Qt::LeftButton, Qt::NoButton); },
        drag);
    const QSize captured = program.capture.buffer.size();

    // Full pools: 100 shapes and 100 lines, all visible, none under the pointer.
    for (int i = 0; i < 100; ++i) {
        auto* shape = frozenScreen.shapes[i];
        shape->setGeometry(i * 150, 300, 600, 600);
        shape->show();
        auto* line = frozenScreen.lines[i];
        line->setPoints(i * 150, 9000, i * 150 + 900, 9900);
        line->show();
    }
    send(picture, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    const double moveMs = bench::medianMs(runs * 20, [&] {
        ++step;
        send(picture, QEvent::MouseMove, {400 + step % 50, 400 + step % 37}, Qt::NoButton,
             Qt::LeftButton);
    });
    send(picture, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);

    out << size.width() << "x" << size.height() << " (median of " << runs << ")\n"
        << "  copy of the snapshot        " << copy << " ms\n"
        << "  mouse-up to buffer filled   " << up << " ms  (" << up / copy << "x the copy; "
        << captured.width() << "x" << captured.height() << " captured)\n"
        << "  drag move, 100+100 objects  " << moveMs * 1000 << " us\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    return qv::bench::measureAtDesktopSizes(argc, argv, measure);
}
