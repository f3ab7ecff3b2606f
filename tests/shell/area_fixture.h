#pragma once

#include <QApplication>
#include <QMouseEvent>

#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {

// A frozen screen driven with mouse events on its picture. Positions are device pixels of
// the picture; the fake pointer follows every event, as the system's would.
class AreaTest : public CaptureTest {
protected:
    AreaTest() {
        form4().Check2->setChecked(true);  // autocopy, so that the clipboard shows captures
        freeze();
        fake.clock().sleeps.clear();
    }

    FrozenCanvas* picture() { return form2().Picture1; }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            held |= button;
        if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        fake.desktop().cursor = at;
        QMouseEvent event(type, QPointF(at), QPointF(picture()->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(picture(), &event);
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonPress, at, button);
    }
    void move(QPoint at) { send(QEvent::MouseMove, at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonRelease, at, button);
    }
    // A band from one corner to the other: the band follows one move late, so the pointer
    // rests at the far corner for two moves before the button goes up.
    void drag(QPoint from, QPoint to) {
        press(from);
        move(to);
        move(to);
        release(to);
    }

    // Closes the next popup menu once it is open, recording it; events processed before it
    // opens leave the answer waiting.
    void answerMenuWhenOpen() {
        menuAnswer.setSingleShot(true);
        menuAnswer.setInterval(0);
        QObject::disconnect(&menuAnswer, nullptr, nullptr, nullptr);
        QObject::connect(&menuAnswer, &QTimer::timeout, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                menuAnswer.start();
                return;
            }
            popped = menu;
            poppedDefault = menu->defaultAction();
            menu->close();
        });
        menuAnswer.start();
    }

    void circular() {
        shellState().circularmode = true;
        shellState().rectangularmode = false;
    }
    QImage buffer() { return form3().Picture1->image(); }
    QImage screen(const QRect& pixels) { return fake.desktop().screen.copy(pixels); }
    // The band's rectangle in whole pixels.
    QRect bandPixels() { return picture()->toPixels(form2().Shape1->geometry()); }

    Qt::MouseButtons held;
};

}  // namespace qv::shell::capturetests
