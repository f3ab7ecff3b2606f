#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

namespace qv::platform {

// A repeating timer whose ticks come from the Clock, so tests drive them without sleeping.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
    // Called on every tick while the timer is active.
    std::function<void()> onTimeout;
};

// Time, waits and event processing. Every pause of the program goes through here.
class Clock {
public:
    virtual ~Clock() = default;

    // Whether one of the program's waits is under way: a sleep or processEvents of the clock,
    // the desktop settling, a wait for another program. What such a wait lets run, runs in the
    // middle of the command that waits. Counted for the whole program, as Dialogs::anyOpen().
    static bool waiting() { return waits_ > 0; }

    // Marks a wait for as long as it lives; every implementation of a wait holds one.
    class Wait {
    public:
        Wait() { ++waits_; }
        ~Wait() { --waits_; }
        Wait(const Wait&) = delete;
        Wait& operator=(const Wait&) = delete;
    };

    virtual QDateTime now() const = 0;
    // Milliseconds on a steady clock, for measuring intervals.
    virtual qint64 steadyMs() const = 0;
    // Waits ms. Meanwhile the program's own windows keep painting (exposes, updates and other
    // posted events run, and the paint reaches the screen), but nothing the user does is
    // handled and no timer or socket fires: input waits in the queue until after the wait, so
    // the program's steps keep their order.
    virtual void sleep(int ms) = 0;
    // Handles every event that is pending now, user input included, then returns.
    virtual void processEvents() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;

private:
    static inline int waits_ = 0;
};

}  // namespace qv::platform
