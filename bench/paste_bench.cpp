// Pasting a screen-sized picture from the clipboard onto the frozen screen, from the command
// to the repainted canvas, against one copy of the picture: the object should hold the
// clipboard's picture without copying it again. Offscreen on the fake platform.
#include <QAction>
#include <QApplication>
#include <QTextStream>

#include "app/program.h"
#include "bench/benchutil.h"
#include "bench/frozenprogram.h"
#include "fakes/fakeplatform.h"
#include "objects/objectitems.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace {

using namespace qv;

QImage busyPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x * 5, y * 3, (x ^ y) & 0xff);
    }
    return image;
}

void measure(QSize size, int runs, QTextStream& out) {
    fakes::FakePlatform fake;
    fake.desktop().screen = busyPicture(size);
    Program program;
    shell::FrozenScreen& frozenScreen = bench::freezeQuietly(program, false);
    auto& shellWindows = program.shellWindows();
    const objects::ObjectItems& items = frozenScreen.objectLayer->items();
    QApplication::processEvents();

    const QImage pasted = busyPicture(size);
    fake.clipboard().imageContent = pasted;
    const double copy = bench::medianMs(runs, [&] {
        QImage copied = pasted.copy();
        copied.bits();
    });
    const auto hideImages = [&] {
        for (objects::CanvasImage* image : items.images)
            image->hide();
    };
    const double paste = bench::medianMs(
        runs,
        [&] {
            shellWindows.mainWindow->pasteFromClipboard();
            frozenScreen.canvas->repaint();
        },
        hideImages);
    const double pasteAlone = bench::medianMs(
        runs, [&] { shellWindows.mainWindow->pasteFromClipboard(); }, hideImages);
    const double repaint = bench::medianMs(runs, [&] { frozenScreen.canvas->repaint(); });
    out << size.width() << "x" << size.height() << " (median of " << runs << ")\n"
        << "  one QImage copy                       " << copy << " ms\n"
        << "  paste, click to shown                 " << paste << " ms  (" << paste / copy << "x)\n"
        << "  the paste command alone               " << pasteAlone << " ms  (" << pasteAlone / copy
        << "x)\n"
        << "  a full repaint without the picture    " << repaint << " ms\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    return qv::bench::measureAtDesktopSizes(argc, argv, measure);
}
