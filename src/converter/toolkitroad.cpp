// The converter's road through the toolkit: every format, every kind of bitmap, and every
// failure told as it always was.
#include "converter/toolkitroad.h"

#include <fcntl.h>
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

extern "C" __attribute__((visibility("default"))) int qv_convert_with_toolkit(int argc,
                                                                              char* argv[]) {
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
        const QByteArray line = result.message.toLocal8Bit();
        std::fputs(qv::converter::failureLine(line.toStdString()).c_str(), stderr);
    }
    return result.exitCode;
}
