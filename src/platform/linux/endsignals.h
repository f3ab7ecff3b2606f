#pragma once

#include <thread>

class QCoreApplication;

namespace qv::platform {

// SIGTERM, SIGINT and SIGHUP (the session ending) end the program through its event loop, so
// that everything it holds (temporary files, the converter, the tray icon, the lock, settings
// that a held lock kept from being stored) is let go in order. A main thread stuck where no
// loop runs (an X reply that never comes) would keep the program, and a frozen screen over the
// whole desktop, for good: when main() has not ended kGraceMs after the signal, a watchdog
// thread runs the exit cleanups and ends the process itself, as the signal would have; the X
// server then drops our windows and grabs with the connection.
// One lives from the start of main() to its very end; at most one at a time.
class EndSignals {
public:
    static constexpr int kGraceMs = 800;
    // How long the exit cleanups may take before the process ends without them.
    static constexpr int kCleanupMs = 150;

    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // Every loop of app ends at a signal, also at one that came before this was called.
    void endLoopsOf(QCoreApplication& app);
    // A signal to end has come.
    static bool requested();

private:
    std::thread watchdog_;
};

}  // namespace qv::platform
