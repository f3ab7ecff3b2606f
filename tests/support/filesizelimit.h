#pragma once

#include <csignal>

#include <sys/resource.h>

namespace qv::testsupport {

// Caps the size of any file this process writes, as a full disk would, without root: a write
// past the cap fails with EFBIG instead of ending the process. The cap is lifted at the end.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldAction_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit capped = old_;
        capped.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldAction_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldAction_)(int);
};

}  // namespace qv::testsupport
