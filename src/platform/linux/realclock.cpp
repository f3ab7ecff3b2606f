#include "platform/linux/realclock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "platform/linux/paintevents.h"

namespace qv::platform {

namespace {

// How long a wait may leave a repaint unanswered.
constexpr qint64 kPaintSliceMs = 10;

class QtTimer : public Timer {
public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTimeout)
                onTimeout();
        });
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

}  // namespace

RealClock::RealClock() {
    started_.start();
}

QDateTime RealClock::now() const {
    return QDateTime::currentDateTime();
}

qint64 RealClock::steadyMs() const {
    return started_.elapsed();
}

void RealClock::sleep(int ms) {
    if (ms <= 0)
        return;
    const Wait wait;
    const QDeadlineTimer deadline(ms);
    for (;;) {
        processPaintEvents();
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            break;
        QThread::msleep(static_cast<unsigned long>(std::min(left, kPaintSliceMs)));
    }
    releaseHeldInput();
}

void RealClock::processEvents() {
    const Wait wait;
    QCoreApplication::processEvents();
}

std::unique_ptr<Timer> RealClock::createTimer() {
    return std::make_unique<QtTimer>();
}

}  // namespace qv::platform
