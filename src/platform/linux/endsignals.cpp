#include "platform/linux/endsignals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <future>
#include <memory>
#include <optional>
#include <system_error>

#include "platform/exitcleanup.h"
#include "platform/linux/paintevents.h"

namespace qv::platform {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
// Told to the watchdog in place of a signal number: main() is over.
constexpr char kMainEnded = 0;

// What the signal handler reaches: it may only write to pipes and set a flag.
struct Wakeups {
    int loop[2] = {-1, -1};
    int watchdog[2] = {-1, -1};
    std::atomic<bool> requested{false};
};
Wakeups wakeups;

void onEndSignal(int signal) {
    const int savedErrno = errno;
    wakeups.requested.store(true);
    // A wait for the converter does not serve the loop: it looks at this instead.
    stopWaits();
    const char number = char(signal);
    [[maybe_unused]] ssize_t n = ::write(wakeups.loop[1], &number, 1);
    n = ::write(wakeups.watchdog[1], &number, 1);
    errno = savedErrno;
}

void handleEndSignals(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndSignals)
        ::sigaction(signal, &action, nullptr);
}

using SteadyClock = std::chrono::steady_clock;

// The next byte of fd, or -1 when none came before the deadline (if there is one).
int nextByte(int fd, std::optional<SteadyClock::time_point> deadline) {
    for (;;) {
        int timeoutMs = -1;
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - SteadyClock::now());
            timeoutMs = int(std::max<std::chrono::milliseconds::rep>(0, left.count()));
        }
        pollfd readable{fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        char byte = 0;
        const ssize_t n = ::read(fd, &byte, 1);
        if (n == 1)
            return static_cast<unsigned char>(byte);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        return -1;
    }
}

// The undos of the scopes still open, on a thread of their own: one stuck as well (a file
// system that does not answer) must not keep the process.
void runExitCleanupWithin(int ms) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    try {
        std::thread([done] {
            ExitCleanup::runPending();
            done->set_value();
        }).detach();
    } catch (const std::system_error&) {
        ExitCleanup::runPending();
        return;
    }
    finished.wait_for(std::chrono::milliseconds(ms));
}

[[noreturn]] void endNow(int signal) {
    static const char kSaid[] = "quorvalline: ending at once, still busy after a signal to end\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, kSaid, sizeof kSaid - 1);
    runExitCleanupWithin(EndSignals::kCleanupMs);
    // Ended by the signal, as if it had not been caught, for whoever waits for us.
    ::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

void watch(int fd) {
    const int signal = nextByte(fd, std::nullopt);
    if (signal <= 0)
        return;
    // The time runs from the first signal; more of them change nothing.
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(EndSignals::kGraceMs);
    for (;;) {
        const int next = nextByte(fd, deadline);
        if (next == kMainEnded)
            return;
        if (next < 0)
            endNow(signal);
    }
}

void closePair(int (&fds)[2]) {
    for (int& fd : fds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

}  // namespace

EndSignals::EndSignals() {
    // Non-blocking: a storm of signals must not leave the handler stuck on a full pipe.
    if (::pipe2(wakeups.loop, O_CLOEXEC | O_NONBLOCK) != 0 ||
        ::pipe2(wakeups.watchdog, O_CLOEXEC | O_NONBLOCK) != 0) {
        closePair(wakeups.loop);
        closePair(wakeups.watchdog);
        return;
    }
    try {
        watchdog_ = std::thread(watch, wakeups.watchdog[0]);
    } catch (const std::system_error&) {
        // Without a watchdog the loop still ends the program.
    }
    handleEndSignals(onEndSignal);
}

EndSignals::~EndSignals() {
    // main() is over: from here on a signal ends the program as it would without us.
    handleEndSignals(SIG_DFL);
    if (watchdog_.joinable()) {
        [[maybe_unused]] const ssize_t n = ::write(wakeups.watchdog[1], &kMainEnded, 1);
        watchdog_.join();
    }
    closePair(wakeups.loop);
    closePair(wakeups.watchdog);
    wakeups.requested.store(false);
}

void EndSignals::endLoopsOf(QCoreApplication& app) {
    if (wakeups.loop[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(wakeups.loop[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(wakeups.loop[0], &byte, 1);
        notifier->setEnabled(false);
        // Not quit(): before the main loop runs it does nothing, and a message box of the
        // start-up would stay open. exit() ends every loop, and any loop started after it.
        QCoreApplication::exit(0);
    });
}

bool EndSignals::requested() {
    return wakeups.requested.load();
}

}  // namespace qv::platform
