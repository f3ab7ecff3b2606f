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
    virtual QDateTime now() const = 0;
    // Milliseconds on a steady clock, for measuring intervals.
    virtual qint64 steadyMs() const = 0;
    // Blocks for ms without handling any event (the user interface freezes meanwhile).
    virtual void sleep(int ms) = 0;
    // Handles the events that are pending now, then returns.
    virtual void processEvents() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace qv::platform
