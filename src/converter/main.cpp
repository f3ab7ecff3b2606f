// The image-format converter: turns one bitmap into a PNG, JPEG or TIFF file.
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>

#include "converter/converter.h"

namespace {

// The image libraries print their own complaints (libpng straight to stderr); each failure is
// told in our one line, so stderr is shut while they run.
class QuietStderr {
public:
    QuietStderr() : saved_(::dup(STDERR_FILENO)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStderr() {
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char* argv[]) {
    // The encoder's threads allocate and free blocks of a few hundred KB (compressors, rows);
    // taken from the heap, not mapped afresh each time, a freed block's pages are reused
    // instead of faulted in again, and nothing is unmapped under the running threads. The
    // program lives for one picture, so holding on to freed memory costs nothing. Saving a
    // photograph at 1920x1080 took 2-4 ms less.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    qInstallMessageHandler(dropMessage);
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    qv::converter::Result result;
    {
        const QuietStderr quiet;
        result = qv::converter::convert(arguments);
    }
    if (result.exitCode != qv::converter::Ok) {
        // A line break in a path must not split the one line a failure gets.
        QString line = result.message;
        line.replace(u'\n', QLatin1String("\\n")).replace(u'\r', QLatin1String("\\r"));
        std::fprintf(stderr, "Quorvalline32: %s\n", qPrintable(line));
    }
    return result.exitCode;
}
