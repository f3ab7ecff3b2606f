#include "fakes/fakeclock.h"

#include <QCoreApplication>
#include <algorithm>

namespace qv::fakes {

class FakeClock::FakeTimer : public platform::Timer {
public:
    explicit FakeTimer(FakeClock& clock) : clock_(&clock) { clock.timers_.push_back(this); }
    ~FakeTimer() override {
        if (clock_)
            std::erase(clock_->timers_, this);
    }
    void start(int intervalMs) override {
        interval_ = std::max(1, intervalMs);
        due_ = clock_->elapsedMs_ + interval_;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }

    FakeClock* clock_;
    int interval_ = 0;
    qint64 due_ = 0;
    bool active_ = false;
};

FakeClock::FakeClock(QDateTime start) : start_(std::move(start)) {}

FakeClock::~FakeClock() {
    for (FakeTimer* t : timers_)
        t->clock_ = nullptr;
}

QDateTime FakeClock::now() const {
    return start_.addMSecs(elapsedMs_);
}

void FakeClock::sleep(int ms) {
    sleeps.push_back(ms);
    elapsedMs_ += std::max(0, ms);
    const Wait wait;
    if (duringSleep)
        duringSleep(ms);
}

void FakeClock::processEvents() {
    ++processEventsCalls;
    const Wait wait;
    QCoreApplication::processEvents();
}

std::unique_ptr<platform::Timer> FakeClock::createTimer() {
    return std::make_unique<FakeTimer>(*this);
}

int FakeClock::activeTimers() const {
    return int(std::count_if(timers_.begin(), timers_.end(),
                             [](const FakeTimer* t) { return t->active_; }));
}

void FakeClock::advance(qint64 ms) {
    const qint64 end = elapsedMs_ + std::max<qint64>(0, ms);
    for (;;) {
        // The earliest active timer due by the end; handlers may start, stop or delete timers.
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers_) {
            if (t->active_ && t->due_ <= end && (!next || t->due_ < next->due_))
                next = t;
        }
        if (!next)
            break;
        elapsedMs_ = std::max(elapsedMs_, next->due_);
        next->due_ += next->interval_;
        // Ticks missed while the loop was blocked come as one, as a real timer's do.
        if (next->due_ <= elapsedMs_)
            next->due_ = elapsedMs_ + next->interval_;
        if (next->onTimeout)
            next->onTimeout();
        // Likewise for the ticks a handler that slept has passed (unless it deleted its timer).
        if (std::find(timers_.begin(), timers_.end(), next) != timers_.end() &&
            next->due_ <= elapsedMs_)
            next->due_ = elapsedMs_ + next->interval_;
    }
    // A handler that slept has moved time past the end already; time never runs back.
    elapsedMs_ = std::max(elapsedMs_, end);
}

}  // namespace qv::fakes
