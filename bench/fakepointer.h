#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

#include "fakes/fakeplatform.h"

namespace qv::bench {

// Mouse events for one widget on the fake platform. The pointer the system reports follows
// each event, as object handlers read it.
class FakePointer {
public:
    FakePointer(fakes::FakePlatform& platform, QWidget& widget)
        : platform_(platform), widget_(widget) {}

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        platform_.desktop().cursor = at;
        QMouseEvent event(type, QPointF(at), QPointF(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget_, &event);
    }

private:
    fakes::FakePlatform& platform_;
    QWidget& widget_;
};

}  // namespace qv::bench
