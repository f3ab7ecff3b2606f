// The image-format converter: turns one bitmap into a PNG, JPEG or TIFF file.
#include <QCoreApplication>
#include <cstdio>

#include "converter/converter.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const qv::converter::Result result = qv::converter::convert(arguments);
    if (result.exitCode != qv::converter::Ok) {
        std::fprintf(stderr, "Quorvalline32: %s\n", qPrintable(result.message));
    }
    return result.exitCode;
}
