#include "platform/linux/realclock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace qv::platform {

namespace {

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
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void RealClock::processEvents() {
    QCoreApplication::processEvents();
}

std::unique_ptr<Timer> RealClock::createTimer() {
    return std::make_unique<QtTimer>();
}

}  // namespace qv::platform
