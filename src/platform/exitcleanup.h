#pragma once

#include <functional>

namespace qv::platform {

// When the X display goes away, Qt's X11 platform and Xlib end the program with exit(): nothing
// on the stack is unwound. What must not outlive the program then (a helper program it waits
// for, a temporary file) undoes itself through one of these, held in its owner's scope: at such
// an exit the undos of the scopes still open run, the latest first. A scope left in the normal
// way drops its undo without running it.
class ExitCleanup {
public:
    explicit ExitCleanup(std::function<void()> undo);
    ~ExitCleanup();
    ExitCleanup(const ExitCleanup&) = delete;
    ExitCleanup& operator=(const ExitCleanup&) = delete;

    // What exit() runs. Also run from another thread when the program must end while its main
    // thread is stuck: a scope that closes meanwhile waits until the undos are done, so none
    // of them reaches for what that scope has let go.
    static void runPending();

private:
    std::function<void()> undo_;
};

}  // namespace qv::platform
