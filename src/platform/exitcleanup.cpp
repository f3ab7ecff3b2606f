#include "platform/exitcleanup.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace qv::platform {

namespace {

struct Pending {
    // Recursive: an undo run at exit() may itself open or close a scope.
    std::recursive_mutex mutex;
    std::vector<ExitCleanup*> open;
};

// Made before the exit handler is registered, so that it is still there when the handler runs.
Pending& pending() {
    static Pending p;
    return p;
}

void runAtExit() {
    ExitCleanup::runPending();
}

}  // namespace

ExitCleanup::ExitCleanup(std::function<void()> undo) : undo_(std::move(undo)) {
    Pending& p = pending();
    static std::once_flag registered;
    std::call_once(registered, [] { std::atexit(runAtExit); });
    const std::lock_guard lock(p.mutex);
    p.open.push_back(this);
}

ExitCleanup::~ExitCleanup() {
    Pending& p = pending();
    const std::lock_guard lock(p.mutex);
    std::erase(p.open, this);
}

void ExitCleanup::runPending() {
    Pending& p = pending();
    const std::lock_guard lock(p.mutex);
    std::vector<std::function<void()>> undos;
    for (auto it = p.open.rbegin(); it != p.open.rend(); ++it)
        undos.push_back(std::exchange((*it)->undo_, {}));
    for (const auto& undo : undos) {
        if (undo)
            undo();
    }
}

}  // namespace qv::platform
