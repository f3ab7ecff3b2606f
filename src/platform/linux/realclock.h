#pragma once

#include <QElapsedTimer>

#include "platform/clock.h"

namespace qv::platform {

class RealClock : public Clock {
public:
    RealClock();
    QDateTime now() const override;
    qint64 steadyMs() const override;
    void sleep(int ms) override;
    void processEvents() override;
    std::unique_ptr<Timer> createTimer() override;

private:
    QElapsedTimer started_;
};

}  // namespace qv::platform
