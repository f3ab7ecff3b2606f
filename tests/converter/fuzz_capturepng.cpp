// libFuzzer entry for the converter's PNG road of the main program's own bitmap (target
// fuzz_capturepng, -DQV_FUZZ=ON): the road reads the rows from the file itself, so each input is
// handed over as a file, as the main program hands it. Built and run by fuzz.sh beside this file.
#include <sys/mman.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "converter/capturepng.h"
#include "converter/converter.h"

namespace {

// The saved picture, in a folder of its own in $TMPDIR: fuzz.sh points that at a folder in memory
// that it removes, since every input ends in a synced write.
std::string savedPicture() {
    const char* under = std::getenv("TMPDIR");
    std::string folder = std::string(under && *under ? under : "/tmp") + "/qv-fuzz-XXXXXX";
    if (!::mkdtemp(folder.data()))
        std::abort();
    return folder + "/out.png";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = ::memfd_create("bitmap", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size))
        std::abort();
    const std::string source = "/proc/self/fd/" + std::to_string(fd);
    static const std::string target = savedPicture();
    const char* const argv[] = {"Quorvalline32", source.c_str(), "image/png",
                                target.c_str(),  "80",           qv::converter::kMarker};
    const auto outcome = qv::converter::saveCaptureAsPng(6, argv);
    ::close(fd);
    if (outcome && outcome->exitCode == qv::converter::Ok) {
        // What this road saves is the picture the toolkit's road reads from the same bytes.
        QByteArray bytes =
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QString error;
        const QImage read = qv::converter::readBitmap(buffer, &error);
        const QImage saved(QString::fromStdString(target));
        if (saved.isNull() || read.isNull() ||
            saved.convertToFormat(QImage::Format_RGB32) !=
                read.convertToFormat(QImage::Format_RGB32))
            __builtin_trap();
    }
    ::unlink(target.c_str());
    return 0;
}
