// The cost of annotation objects on the frozen screen: a full-screen area capture with 100
// hatched shapes and 100 images in the band against the same capture with empty pools; one
// drag step of a shape (move and repaint) against one full repaint; one mouse-move over the
// picture with every pool full against empty pools. Offscreen on the fake platform, so no wait
// of the program is timed.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTextStream>

#include "app/program.h"
#include "bench/benchutil.h"
#include "bench/fakepointer.h"
#include "bench/frozenprogram.h"
#include "fakes/fakeplatform.h"
#include "objects/objectitems.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace {

using namespace qv;

// Every pool element in use: hatched bordered shapes, pictures, lines, across the screen.
void fillPools(const objects::ObjectItems& items, QSize screen) {
    QImage picture(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgba(x * 4, y * 5, 128, 200));
    for (int i = 0; i < objects::kPoolSize; ++i) {
        const double x = (i % 10) * screen.width() / 10.0 * 15 + 300;
        const double y = (i / 10) * screen.height() / 10.0 * 15 + 300;
        objects::CanvasShape* shape = items.shapes[i];
        shape->setShape(objects::CanvasShape::Shape(i % 2 ? 2 : 0));
        shape->setBorderWidth(1 + i % 5);
        shape->setFillStyle(2 + i % 6);
        shape->setFillColor(Qt::blue);
        shape->setGeometry(x, y, 1500, 900);
        shape->show();
        objects::CanvasImage* image = items.images[i];
        image->setPicture(picture);
        image->setGeometry(x + 600, y + 300, i % 3 ? 960 : 1920, 720);
        image->show();
        items.lines[i]->setPoints(x, y + 1200, x + 900, y + 1500);
        items.lines[i]->show();
    }
}

void measure(QSize size, int runs, QTextStream& out) {
    fakes::FakePlatform fake;
    fake.desktop().screen = bench::coordinatePattern(size);
    Program program;
    shell::FrozenScreen& frozenScreen = bench::freezeQuietly(program, true);
    QWidget* picture = frozenScreen.canvas;
    bench::FakePointer pointer(fake, *picture);
    const objects::ObjectItems& items = frozenScreen.objectLayer->items();
    QApplication::processEvents();

    const QPoint far(size.width() - 1, size.height() - 1);
    auto drag = [&] {
        pointer.send(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        pointer.send(QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
        pointer.send(QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
    };
    auto capture = [&] {
        drag();
        return bench::medianMs(
            runs,
            [&] { pointer.send(QEvent::MouseButtonRelease, far, Qt::LeftButton, Qt::NoButton); },
            drag);
    };
    int step = 0;
    auto hover = [&] {
        return bench::medianMs(runs * 20, [&] {
            ++step;
            pointer.send(QEvent::MouseMove, {5 + step % 3, 5 + step % 2}, Qt::NoButton,
                         Qt::NoButton);
        });
    };
    const double emptyCapture = capture();
    const double emptyHover = hover();
    pointer.send(QEvent::MouseButtonRelease, far, Qt::LeftButton, Qt::NoButton);

    fillPools(items, size);
    const double fullCapture = capture();
    pointer.send(QEvent::MouseButtonRelease, far, Qt::LeftButton, Qt::NoButton);
    const double fullHover = hover();

    // A full repaint against one drag step of a shape by its overlay, each with its painting.
    const double repaint = bench::medianMs(runs, [&] {
        picture->update();
        QApplication::processEvents();
    });
    objects::CanvasShape* shape = items.shapes[55];
    const QPoint grip = frozenScreen.canvas->toPixels(shape->geometry()).topLeft() + QPoint(8, 8);
    pointer.send(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
    pointer.send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    const double dragStep = bench::medianMs(runs * 4, [&] {
        ++step;
        pointer.send(QEvent::MouseMove, grip + QPoint(step % 40, step % 30), Qt::NoButton,
                     Qt::LeftButton);
        QApplication::processEvents();
    });
    pointer.send(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    if (frozenScreen.canvas->toPixels(shape->geometry()).topLeft() + QPoint(8, 8) == grip)
        out << "  (the shape did not follow the drag: the step below timed nothing)\n";

    out << size.width() << "x" << size.height() << " (median of " << runs << ")\n"
        << "  full-screen capture, empty pools      " << emptyCapture << " ms\n"
        << "  full-screen capture, 100+100 objects  " << fullCapture << " ms  ("
        << fullCapture / emptyCapture << "x)\n"
        << "  full repaint                          " << repaint << " ms\n"
        << "  shape drag step with its repaint      " << dragStep << " ms  (" << dragStep / repaint
        << "x)\n"
        << "  mouse-move, empty pools               " << emptyHover * 1000 << " us\n"
        << "  mouse-move, every pool full           " << fullHover * 1000 << " us  ("
        << fullHover / emptyHover << "x)\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    return qv::bench::measureAtDesktopSizes(argc, argv, measure);
}
