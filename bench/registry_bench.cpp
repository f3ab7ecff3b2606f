// Loading settings files: one of 100,000 job records (27 MB), one of about 5 MB (many keys of
// many values, and one key holding a great many), and one nesting a key 10,000 levels deep. Prints
// milliseconds per load, the peak memory of a process that loads the job records, and milliseconds
// per stored change.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "benchutil.h"
#include "platform/linux/fileregistry.h"

namespace {

using Root = qv::platform::Registry::Root;

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

// Job records as the program writes them, nine values each.
QByteArray manyJobs(int count) {
    QByteArray text;
    for (int k = 0; k < count; ++k) {
        const QByteArray name = "Job" + QByteArray::number(k);
        text += "\n[HKEY_CURRENT_USER\\Software\\Quorvalline\\AutoCapture\\" + name + "]\n";
        for (const char* value : {"JobType", "CaptureType", "Trigger", "SaveName", "ImgFormat",
                                  "SavingType", "JobStatus"})
            text += QByteArray("\"") + value + "\"=\"1\\0\"\n";
        text += "\"SaveDir\"=\"/home/user/Pictures\\0\"\n";
        text += "\"FullPath\"=\"/home/user/Pictures/" + name + ".bmp\\0\"\n";
    }
    return text;
}

// A key nested 10,000 levels deep, each level a header of its own as a writer without a limit
// stores it: about 100 MB.
QByteArray deepFile() {
    QByteArray text, path = "HKEY_CURRENT_USER\\Software";
    for (int level = 0; level < 10'000; ++level) {
        path += "\\k";
        text += "\n[" + path + "]\n\"v\"=\"1\"\n";
    }
    return text;
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry"));

    constexpr int kJobs = 100'000;
    double megabytes = 0;
    {
        const QByteArray jobs = manyJobs(kJobs);
        megabytes = jobs.size() / 1e6;
        if (!writeFile(path, jobs))
            return 1;
    }
    // A process of its own, so that the peak memory is what the program's start costs.
    const pid_t child = fork();
    if (child == 0) {
        QElapsedTimer timer;
        timer.start();
        qv::platform::FileRegistry registry(path);
        const double loadMs = timer.nsecsElapsed() / 1e6;
        const long peak = peakMegabytes();
        int n = 0;
        const double writeMs = qv::bench::medianMs(3, [&] {
            registry.setValue(Root::CurrentUser, "Software\\Quorvalline\\AutoCapture\\Job7",
                              "JobStatus", QByteArray::number(n++ % 2) + '\0');
        });
        std::printf(
            "settings file of %.1f MB (%d job records): %.0f ms to load, peak %ld MB, "
            "%.0f ms per stored change\n",
            megabytes, kJobs, loadMs, peak, writeMs);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || status != 0)
        return 1;

    const QByteArray text = largeFile();
    if (!writeFile(path, text))
        return 1;
    qsizetype keys = 0;
    const double ms = qv::bench::medianMs(3, [&] {
        const qv::platform::FileRegistry registry(path);
        keys = registry.subKeys(Root::CurrentUser, "Software\\Big").size();
    });
    std::printf("settings file of %.1f MB (%lld keys): %.0f ms per load\n", text.size() / 1e6,
                static_cast<long long>(keys), ms);

    // Read once: the levels beyond the limit are left out and the file is written again.
    const QByteArray deep = deepFile();
    if (!writeFile(path, deep))
        return 1;
    QElapsedTimer timer;
    timer.start();
    const qv::platform::FileRegistry registry(path);
    std::printf("settings file of %.1f MB (a key nested 10,000 levels): %.0f ms to load\n",
                deep.size() / 1e6, timer.nsecsElapsed() / 1e6);
    return 0;
}
