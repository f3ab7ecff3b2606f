// The whole saving road on Xvfb at 1920x1080 and 3840x2160, the same screen for every tool: our
// save (capture already taken, as from the hotkey: temporary bitmap, converter, PNG on disk) and
// grab + save against `scrot` and `maim`, which grab and write in one run; the synthetic screens
// and real photographs. The toolkit's PNG writer gives a third file size. Also the main
// program's part alone: writing the temporary bitmap (in memory and on the disk) and the
// converter's start. Each save is also timed with the bitmap on the disk, as it was before the
// memory files. scrot and maim are installed for this benchmark only.
// `bench_road_bench [runs] [folder of another converter, e.g. an older build's bin] [screens]`:
// the runs of every tool interleaved; screens, when given, is text the screens' names must hold.
#include <xcb/xcb.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "benchutil.h"
#include "output/imagesaver.h"
#include "output/numberedname.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/x11grabber.h"
#include "platform/services.h"
#include "screens.h"
#include "support/xserver.h"

namespace {

using qv::bench::medianMs;

// Shows picture on the root window; the pixmap lives as long as the connection.
void showOnRoot(xcb_connection_t* c, const QImage& picture) {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, picture.width(),
                      picture.height());
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    const qint64 largest = qint64(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int band = int(std::max<qint64>(1, largest / picture.bytesPerLine()));
    for (int y = 0; y < picture.height(); y += band) {
        const int rows = std::min(band, picture.height() - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, picture.width(), rows, 0, y, 0,
                      screen->root_depth, uint32_t(picture.bytesPerLine() * rows),
                      picture.constScanLine(y));
    }
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    xcb_free_gc(c, gc);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // a round trip
}

bool runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

QString kb(qint64 bytes) {
    return QString::number(bytes / 1000.0, 'f', 1) + " KB";
}

QString kb(const QString& path) {
    return kb(QFileInfo(path).size());
}

// The program as it was: the bitmap for the converter always in a file on the disk.
class DiskOnlyProcess : public qv::platform::QtProcess {
public:
    std::unique_ptr<qv::platform::MemoryFile> memoryFile(const QString&) override {
        return nullptr;
    }
};

// Times of one step, taken one run at a time.
class Timings {
public:
    void time(const std::function<void()>& step) {
        QElapsedTimer timer;
        timer.start();
        step();
        times_.push_back(timer.nsecsElapsed() / 1e6);
    }
    double median() const {
        std::vector<double> sorted = times_;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
    }

private:
    std::vector<double> times_;
};

// The load averages of the last 1, 5 and 15 minutes, as uptime shows them.
QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 2);
}

qint64 toolkitPngSize(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 9);
    QTextStream out(stdout);
    qv::platform::Services services;
    services.process = std::make_unique<qv::platform::QtProcess>();
    qv::platform::ServicesScope scope(services);
    const QString bin =
        argc > 2 && argv[2][0] ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(QV_BIN_DIR);
    // Only the screens whose names hold this text, e.g. "terminals" or "meadow".
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir dir;
    DiskOnlyProcess diskOnly;

    const bool tools = QProcess::execute("sh", {"-c", "command -v maim >/dev/null"}) == 0;
    out << "load before: " << loadAverage() << "\n";
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        qv::testsupport::XServer server({.size = size});
        if (!server.error().isEmpty()) {
            out << "no X server: " << server.error() << "\n";
            return 1;
        }
        qputenv("DISPLAY", server.display().toLatin1());
        out << "median of " << runs << " runs, interleaved, Xvfb " << size.width() << "x"
            << size.height() << "\n";
        qv::platform::x11::X11Grabber grabber(server.x(), true);
        for (const auto& [name, picture] : qv::bench::screensAndPhotographs(size)) {
            if (!QString::fromLatin1(name).contains(only))
                continue;
            showOnRoot(server.connection(), picture);
            const QImage capture = grabber.grab(QRect(QPoint(0, 0), size));
            const QString ours = dir.filePath("ours.png");
            bool ok = true;
            const auto save = [&] {
                ok =
                    !qv::output::saveImage(capture, ours, qv::output::saveFormatFor(".png"), bin) &&
                    ok;
            };
            const QString scrotFile = dir.filePath("scrot.png"),
                          maimFile = dir.filePath("maim.png");
            bool toolsOk = true;
            // One run of each in turn, so that a change in the machine's load meets them all.
            Timings grabSave, save_, diskSave, scrot, maim;
            for (int run = 0; run < runs; ++run) {
                grabSave.time([&] {
                    grabber.grab(QRect(QPoint(0, 0), size));
                    save();
                });
                scrot.time([&] { toolsOk = runTool("scrot", {"-o", scrotFile}) && toolsOk; });
                save_.time(save);
                {
                    qv::platform::Services disk;
                    disk.process = std::make_unique<DiskOnlyProcess>();
                    qv::platform::ServicesScope diskScope(disk);
                    diskSave.time(save);
                }
                if (tools)
                    maim.time([&] { toolsOk = runTool("maim", {maimFile}) && toolsOk; });
            }
            ok = ok && QImage(ours).convertToFormat(QImage::Format_RGB32) == capture;
            const double scrotMs = scrot.median();
            out << QStringLiteral(
                       "%1: grab+save %2 ms | save %3 ms (bitmap on the disk: %4 ms) %5%6 | "
                       "scrot %7 ms %8 | maim %9 ms %10 | toolkit's writer %11 | "
                       "grab+save/scrot %12, save/scrot %13, on the disk %14%15\n")
                       .arg(QString::fromLatin1(name), -14)
                       .arg(grabSave.median(), 0, 'f', 1)
                       .arg(save_.median(), 0, 'f', 1)
                       .arg(diskSave.median(), 0, 'f', 1)
                       .arg(kb(ours))
                       .arg(ok ? "" : " NOT THE CAPTURE")
                       .arg(scrotMs, 0, 'f', 1)
                       .arg(kb(scrotFile))
                       .arg(tools ? maim.median() : 0.0, 0, 'f', 1)
                       .arg(tools ? kb(maimFile) : QStringLiteral("-"))
                       .arg(kb(toolkitPngSize(capture)))
                       .arg(grabSave.median() / scrotMs, 0, 'f', 2)
                       .arg(save_.median() / scrotMs, 0, 'f', 2)
                       .arg(diskSave.median() / scrotMs, 0, 'f', 2)
                       .arg(toolsOk ? "" : " (a tool failed)");
            out.flush();
        }
    }
    out << "load after: " << loadAverage() << "\n";

    // The main program's part: the temporary bitmap of a 3840x2160 capture in a memory file and
    // in a file on the disk, and the converter's start.
    const QImage capture = qv::bench::uiScreenshot({3840, 2160});
    const auto tempWrite = [&](bool inMemory) {
        return medianMs(runs, [&] {
            QString why;
            if (inMemory) {
                const auto memory = qv::platform::process().memoryFile("bench.bmp");
                qv::output::writeConverterBitmap(capture, memory->device(), why);
                return;
            }
            QTemporaryFile temp(dir.filePath("temp-XXXXXX.bmp"));
            temp.open();
            qv::output::writeConverterBitmap(capture, temp, why);
        });
    };
    // The converter's start and exit on its own road (a 1x1 capture to PNG, its sync included)
    // and on the toolkit's, which every other request takes (the usage reply: exits at once).
    QFile one(dir.filePath("one.bmp"));
    one.open(QIODevice::WriteOnly);
    QString why;
    qv::output::writeConverterBitmap(QImage(1, 1, QImage::Format_RGB32), one, why);
    one.close();
    const double start = medianMs(runs, [&] {
        qv::platform::process().run(
            bin + "/Quorvalline32",
            {one.fileName(), "image/png", dir.filePath("one.png"), "80", "comingfromMirelda"},
            60000);
    });
    const double toolkitStart =
        medianMs(runs, [&] { qv::platform::process().run(bin + "/Quorvalline32", {}, 60000); });
    // The whole save of a 1x1 capture on each road: what a save costs beside the picture.
    const QImage dot(1, 1, QImage::Format_RGB32);
    const auto saveDot = [&] {
        qv::output::saveImage(dot, dir.filePath("dot.png"), qv::output::saveFormatFor(".png"), bin);
    };
    const double dotInMemory = medianMs(runs, saveDot);
    double dotOnDisk = 0;
    {
        qv::platform::Services disk;
        disk.process = std::make_unique<DiskOnlyProcess>();
        qv::platform::ServicesScope diskScope(disk);
        dotOnDisk = medianMs(runs, saveDot);
    }
    // Increment File Name in a folder that already holds 500 numbered captures.
    QTemporaryDir shots;
    for (int n = 0; n < 500; ++n)
        QFile(shots.filePath(QStringLiteral("shot%1.png").arg(n))).open(QIODevice::WriteOnly);
    QFile(shots.filePath("shot.png")).open(QIODevice::WriteOnly);
    const double naming = medianMs(
        runs, [&] { qv::output::firstFreeNumberedName(shots.path(), "shot", "shot", ".png"); });
    out << QStringLiteral(
               "temporary bitmap of 3840x2160: %1 ms in a memory file, %2 ms in a file on the "
               "disk; converter start and exit: %3 ms for a 1x1 capture to PNG, %4 ms through the "
               "toolkit; the whole save of a 1x1 capture: %6 ms through memory, %7 ms through the "
               "disk; next free name after 500: %5 ms\n")
               .arg(tempWrite(true), 0, 'f', 1)
               .arg(tempWrite(false), 0, 'f', 1)
               .arg(start, 0, 'f', 1)
               .arg(toolkitStart, 0, 'f', 1)
               .arg(naming, 0, 'f', 1)
               .arg(dotInMemory, 0, 'f', 1)
               .arg(dotOnDisk, 0, 'f', 1);
    return 0;
}
