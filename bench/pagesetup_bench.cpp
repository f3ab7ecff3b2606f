// One run of the Page Setup preview with a 3840x2160 capture (the model, the capture scaled to
// its box, the paint) against one smooth QImage::scaled of the capture to the box. A margin
// change resizes the box; an alignment change keeps its size. Prints milliseconds and ratios.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "benchutil.h"
#include "output/printing/currentpreview.h"
#include "output/printing/currentpreviewview.h"

namespace {

qv::output::CurrentPreviewInput input(const QImage& capture, const char* margin,
                                      const char* alignment) {
    qv::output::CurrentPreviewInput in;
    in.page = {4960, 7016, 2.4, 2.4};
    const QString m = QString::fromLatin1(margin);
    in.margins = {m, m, m, m};
    in.units = in.readoutUnits = qv::output::Units::Metric;
    in.decimalSeparator = QStringLiteral(".");
    in.capture = capture.size();
    in.alignment = QString::fromLatin1(alignment);
    return in;
}

}  // namespace

int main(int argc, char* argv[]) {
    qv::bench::preferOffscreen();
    QApplication app(argc, argv);
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 15);
    const QImage capture = qv::bench::printableCapture();
    qv::output::CurrentPreviewView view(nullptr);
    view.show(qv::output::computeCurrentPreview(input(capture, "25", "Top Left")), capture, false);
    const QSize box = view.scaledCapture().size();

    const double scaling = qv::bench::medianMs(runs, [&] {
        const QImage scaled = capture.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (scaled.isNull())
            std::abort();
    });
    // Every run a new margin: the box changes size and the capture is scaled again.
    int turn = 0;
    const double marginChange = qv::bench::medianMs(runs, [&] {
        const char* margin = (turn++ % 2) ? "25" : "30";
        view.show(qv::output::computeCurrentPreview(input(capture, margin, "Centered")), capture,
                  false);
        view.grab();
    });
    const double alignmentChange = qv::bench::medianMs(runs, [&] {
        const char* alignment = (turn++ % 2) ? "Top Left" : "Bottom Right";
        view.show(qv::output::computeCurrentPreview(input(capture, "25", alignment)), capture,
                  false);
        view.grab();
    });
    std::printf(
        "3840x2160 into a %dx%d box: smooth scaling %.2f ms, preview after a margin change "
        "%.2f ms (ratio %.2f), after an alignment change %.2f ms (ratio %.2f)\n",
        box.width(), box.height(), scaling, marginChange, marginChange / scaling, alignmentChange,
        alignmentChange / scaling);
    return 0;
}
