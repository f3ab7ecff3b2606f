// Opening and painting the 13-item context menu drawn with pictures, against the same menu in
// the plain style, in one run (offscreen, so no X server's time is counted).
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QTextStream>

#include "benchutil.h"
#include "picmenu/picturemenus.h"

namespace {

using namespace qv;

const char* const kCaptions[] = {"Add Objects...",
                                 "Capture Rectangular Area          ",
                                 "Capture Circular Area",
                                 "Save to Default Directory",
                                 "Save As...",
                                 "Print to Default Printer",
                                 "Print...",
                                 "Page Setup...",
                                 "Start Default Application",
                                 "Paste from Clipboard",
                                 "Copy to Clipboard ( Autocopy Enabled )  ",
                                 "Email To...",
                                 "Release Desktop   CTRL+R"};

void fill(QMenu& menu) {
    for (const char* caption : kCaptions) {
        if (!menu.actions().isEmpty())
            menu.addSeparator();
        menu.addAction(QString::fromLatin1(caption));
    }
    menu.setDefaultAction(menu.actions().last());
}

// One opening: the popup lays its items out and every item is painted.
void openAndPaint(QMenu& menu) {
    menu.popup(QPoint(0, 0));
    const QImage image = menu.grab().toImage();
    menu.hide();
    if (image.isNull())
        qFatal("nothing painted");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 200;

    QMenu plain;
    fill(plain);
    QMenu pictured;
    fill(pictured);
    picmenu::State state;
    picmenu::PictureMenus menus(state);
    QList<QIcon> pictures;
    for (int n = 0; n < 13; ++n) {
        QPixmap picture(16, 16);
        picture.fill(QColor::fromHsv(n * 25, 200, 200));
        pictures << QIcon(picture);
        menus.setItemPicture(QString::fromLatin1(kCaptions[n]), n + 1);
    }
    menus.setPictures(pictures);
    menus.init();
    menus.hookMenus({&pictured}, [] { return 15.0; });

    openAndPaint(plain);
    openAndPaint(pictured);
    const double plainMs = bench::medianMs(runs, [&] { openAndPaint(plain); });
    const double picturedMs = bench::medianMs(runs, [&] { openAndPaint(pictured); });
    QTextStream(stdout) << "open and paint, median of " << runs << " runs: plain "
                        << QString::number(plainMs, 'f', 3) << " ms, with pictures "
                        << QString::number(picturedMs, 'f', 3) << " ms, ratio "
                        << QString::number(picturedMs / plainMs, 'f', 2) << "\n";
    return 0;
}
