// Loading a settings file of about 4 MB: many keys of many values, and one key holding a great
// many. Prints milliseconds per load; it should stay well under a second.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "benchutil.h"
#include "platform/linux/fileregistry.h"

namespace {

QByteArray largeFile() {
    QByteArray text;
    for (int k = 0; k < 1000; ++k) {
        text += "\n[HKEY_CURRENT_USER\\Software\\Big\\Key" + QByteArray::number(k) + "]\n";
        for (int v = 0; v < 30; ++v)
            text += "\"Value" + QByteArray::number(v) + "\"=\"" + QByteArray(80, 'x') + "\"\n";
    }
    text += "\n[HKEY_CURRENT_USER\\Software\\Wide]\n";
    for (int v = 0; v < 60000; ++v)
        text += "\"Name" + QByteArray::number(v) + "\"=\"" + QByteArray(20, 'y') + "\"\n";
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry"));
    const QByteArray text = largeFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();
    qsizetype keys = 0;
    const double ms = qv::bench::medianMs(3, [&] {
        const qv::platform::FileRegistry registry(path);
        keys = registry.subKeys(qv::platform::Registry::Root::CurrentUser, "Software\\Big").size();
    });
    std::printf("settings file of %.1f MB (%lld keys): %.0f ms per load\n", text.size() / 1e6,
                static_cast<long long>(keys), ms);
    return 0;
}
