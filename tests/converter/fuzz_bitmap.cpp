// libFuzzer entry for the converter's bitmap reading (target fuzz_bitmap, -DQV_FUZZ=ON); built
// and run by fuzz.sh beside this file, not by the test suite (the suite runs the corpus it leaves
// behind).
#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <cstddef>
#include <cstdint>

#include "converter/converter.h"

// The reader's warnings about odd palettes would drown the fuzzer's own output.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    const QImage image = qv::converter::readBitmap(buffer, &error);
    if (image.isNull() == error.isEmpty())
        __builtin_trap();  // a failure must say why, a success must not
    if (!image.isNull()) {
        // Whatever reads must also be writable as PNG, or the converter fails late and vaguely.
        QByteArray png;
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        if (!QImageWriter(&out, "png").write(image))
            __builtin_trap();
    }
    return 0;
}
