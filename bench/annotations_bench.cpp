// One drag step of an arrow by its end grab area (shaft, head strokes, grab areas and the
// repaint they cause) and of a text, against one full repaint of the frozen screen, at
// 1920x1080 and 3840x2160. Offscreen on the fake platform, so no wait of the program is timed.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTextStream>

#include "app/program.h"
#include "bench/benchutil.h"
#include "bench/fakepointer.h"
#include "bench/frozenprogram.h"
#include "fakes/fakeplatform.h"
#include "objects/lines.h"
#include "objects/objectitems.h"
#include "objects/state.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace {

using namespace qv;

void measure(QSize size, int runs, QTextStream& out) {
    fakes::FakePlatform fake;
    fake.desktop().screen = bench::coordinatePattern(size);
    Program program;
    shell::FrozenScreen& frozenScreen = bench::freezeQuietly(program, false);
    QWidget* picture = frozenScreen.canvas;
    bench::FakePointer pointer(fake, *picture);
    const objects::ObjectItems& items = frozenScreen.objectLayer->items();
    QApplication::processEvents();

    // A thick arrow in the middle of the screen and a two-line text beside it.
    program.objects.newObjectPos = QPointF(size.width() / 2 * 15, size.height() / 2 * 15);
    objects::addLine(items, true, 15, 15);
    for (objects::CanvasLine* part : {items.lines[0], items.headStrokes1[0], items.headStrokes2[0]})
        part->setBorderWidth(5);
    objects::CanvasLabel* text = items.texts[0];
    QFont font = text->font();
    font.setPointSize(24);
    font.setBold(true);
    text->setFont(font);
    text->setCaption(QStringLiteral("Look here\nand here"));
    text->move(size.width() / 4 * 15, size.height() / 4 * 15);
    text->show();
    QApplication::processEvents();

    const double repaint = bench::medianMs(runs, [&] {
        picture->update();
        QApplication::processEvents();
    });
    int step = 0;
    auto dragStep = [&](QPoint grip) {
        pointer.send(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
        pointer.send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        const double ms = bench::medianMs(runs * 4, [&] {
            ++step;
            pointer.send(QEvent::MouseMove, grip + QPoint(step % 40, step % 30), Qt::NoButton,
                         Qt::LeftButton);
            QApplication::processEvents();
        });
        // A last step off the grip, so that the check below sees the object follow.
        pointer.send(QEvent::MouseMove, grip + QPoint(7, 5), Qt::NoButton, Qt::LeftButton);
        pointer.send(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
        return ms;
    };
    const double x2 = items.lines[0]->x2();
    const double arrow =
        dragStep(frozenScreen.canvas->toPixels(items.lineGrabAreas[2]->geometry()).center());
    if (items.lines[0]->x2() == x2)
        out << "  (the arrow did not follow the drag: the step below timed nothing)\n";
    const double left = text->left();
    const double textStep = dragStep(frozenScreen.canvas->toPixels(text->geometry()).center());
    if (text->left() == left)
        out << "  (the text did not follow the drag: the step below timed nothing)\n";

    out << size.width() << "x" << size.height() << " (median of " << runs << ")\n"
        << "  full repaint                  " << repaint << " ms\n"
        << "  arrow end drag step, repaint  " << arrow << " ms  (" << arrow / repaint << "x)\n"
        << "  text drag step, repaint       " << textStep << " ms  (" << textStep / repaint
        << "x)\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    return qv::bench::measureAtDesktopSizes(argc, argv, measure);
}
