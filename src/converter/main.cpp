// The image-format converter: turns one bitmap into a PNG, JPEG or TIFF file.
#include <dlfcn.h>
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <string>

#include "converter/capturepng.h"
#include "converter/request.h"
#include "converter/toolkitroad.h"

namespace {

// The toolkit's road lives in a library beside the program, loaded only when a request needs
// it: loading the toolkit took five of the six milliseconds a start cost.
std::string toolkitRoadPath() {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string folder = length > 0 ? std::string(self, size_t(length)) : std::string();
    folder.erase(folder.find_last_of('/') == std::string::npos ? 0 : folder.find_last_of('/'));
    return (folder.empty() ? std::string(".") : folder) + '/' + qv::converter::kToolkitRoadFile;
}

int takeTheToolkitRoad(int argc, char* argv[]) {
    const std::string path = toolkitRoadPath();
    void* road = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto convert = road ? reinterpret_cast<qv::converter::ToolkitRoad>(
                                    ::dlsym(road, qv::converter::kToolkitRoadEntry))
                              : nullptr;
    if (!convert) {
        const char* why = ::dlerror();
        std::fputs(
            qv::converter::failureLine("cannot load " + path + ": " + (why ? why : "?")).c_str(),
            stderr);
        return qv::converter::UnknownType;
    }
    return convert(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A write past the file size limit (ulimit -f) would end the converter by SIGXFSZ without a
    // word; ignored, the write fails with EFBIG and is told like a full disk, nothing left.
    std::signal(SIGXFSZ, SIG_IGN);
    // The encoder's threads allocate and free blocks of a few hundred KB (compressors, rows);
    // taken from the heap, not mapped afresh each time, a freed block's pages are reused
    // instead of faulted in again, and nothing is unmapped under the running threads. The
    // program lives for one picture, so holding on to freed memory costs nothing. Saving a
    // photograph at 1920x1080 took 2-4 ms less. One heap for all threads, grown in steps of
    // 64 MB of address space: eight threads each making a heap of its own at once, or growing
    // one a little at a time, held up each other's first touches of memory (another 2-6 ms).
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_TOP_PAD, 64 << 20);
    if (const auto done = qv::converter::saveCaptureAsPng(argc, argv)) {
        if (done->exitCode != qv::converter::Ok)
            std::fputs(qv::converter::failureLine(done->message).c_str(), stderr);
        return done->exitCode;
    }
    return takeTheToolkitRoad(argc, argv);
}
