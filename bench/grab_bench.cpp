// Full-screen grab on Xvfb: our grab (shared memory and the plain request) against
// `xwd -root` and ImageMagick's `import -window root`, at 1920x1080 and 3840x2160.
// Prints milliseconds per grab and how many times slower the tools are than we are.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchutil.h"
#include "platform/linux/x11grabber.h"
#include "support/xserver.h"

namespace {

using qv::bench::medianMs;
using qv::platform::x11::X11Grabber;
using qv::platform::x11::XConnection;

void runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.waitForFinished(60000);
}

void measure(QSize size, int runs, QTextStream& out) {
    qv::testsupport::XServer server({.size = size});
    if (!server.error().isEmpty()) {
        out << "skipped " << size.width() << "x" << size.height() << ": " << server.error() << "\n";
        return;
    }
    qputenv("DISPLAY", server.display().toLatin1());
    const XConnection x(server.connection());
    const QRect screen(QPoint(0, 0), size);
    X11Grabber shared(x, true);
    X11Grabber plain(x, false);
    shared.grab(screen);  // the segment is set up once per program
    const double shm = medianMs(runs, [&] { shared.grab(screen); });
    const double getImage = medianMs(runs, [&] { plain.grab(screen); });
    const double ours = std::min(shm, getImage);
    const double xwd = medianMs(runs, [&] {
        runTool(QStringLiteral("xwd"), {"-root", "-silent", "-out", "/dev/null"});
    });
    const double import = medianMs(runs, [&] {
        runTool(QStringLiteral("import"), {"-window", "root", "bmp:/dev/null"});
    });
    out << QStringLiteral(
               "%1x%2  shm %3 ms  get_image %4 ms  xwd %5 ms (x%6)  import %7 ms (x%8)  [%9]\n")
               .arg(size.width())
               .arg(size.height())
               .arg(shm, 0, 'f', 1)
               .arg(getImage, 0, 'f', 1)
               .arg(xwd, 0, 'f', 1)
               .arg(xwd / ours, 0, 'f', 1)
               .arg(import, 0, 'f', 1)
               .arg(import / ours, 0, 'f', 1)
               .arg(shared.method() == X11Grabber::Method::SharedMemory ? "shm used"
                                                                        : "shm unavailable");
    out.flush();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 9);
    QTextStream out(stdout);
    out << "median of " << runs << " full-screen grabs; (xN) = times slower than our grab\n";
    for (QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
        measure(size, runs, out);
    return 0;
}
