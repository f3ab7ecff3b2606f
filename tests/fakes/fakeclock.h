#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"

namespace qv::fakes {

// Time that moves only when a test (or the code under test) says so. Timers tick as
// advance() passes their due times; sleep() moves time without ticking, as the real wait
// runs no timer.
class FakeClock : public platform::Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 1, 5), QTime(9, 0)));
    ~FakeClock() override;

    QDateTime now() const override;
    qint64 steadyMs() const override { return elapsedMs_; }
    void sleep(int ms) override;
    void processEvents() override;
    std::unique_ptr<platform::Timer> createTimer() override;

    // Moves time forward, firing every timer that falls due on the way, in time order.
    void advance(qint64 ms);
    // How many timers run now: each wakes the program while nothing happens.
    int activeTimers() const;

    // Every sleep the code made, in order, and how often it processed events.
    std::vector<int> sleeps;
    int processEventsCalls = 0;
    // What arrives while the code sleeps ms, e.g. a hotkey's press.
    std::function<void(int ms)> duringSleep;

private:
    class FakeTimer;
    friend class FakeTimer;
    QDateTime start_;
    qint64 elapsedMs_ = 0;
    std::vector<FakeTimer*> timers_;
};

}  // namespace qv::fakes
