#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "fakes/fakeprogram.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace qv::shell::capturetests {

// Every pixel differs from its neighbours, so that any shift, scale or crop of a copy shows.
inline QImage patternScreen(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8));
    }
    return image;
}

class CaptureTest : public fakes::ProgramTest {
protected:
    CaptureTest() { fake.desktop().screen = patternScreen(1280, 800); }
    ~CaptureTest() override {
        menuAnswer.stop();
        flushDrops();
    }

    static void flushDrops() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    capture::State& captureState() { return prog.captureState; }
    Windows& shellWindows() { return prog.shellWindows(); }
    MainWindow& mainWindow() { return shellWindows().mainWindow.get(); }
    FrozenScreen& frozenScreen() { return shellWindows().frozenScreen.get(); }
    // The current settings, once the Options load has read them as at start-up.
    options::Settings& settings() {
        prog.optionsWindows().optionsDialog.get();
        return prog.options.settings;
    }
    capture::CaptureSession& session() { return prog.capture; }
    QImage buffer() { return session().buffer; }
    QImage screen(const QRect& pixels) { return fake.desktop().screen.copy(pixels); }

    void freeze() { mainWindow().freezeItem->trigger(); }

    void requestCapture(bool window) {
        window ? mainWindow().captureActiveWindow() : mainWindow().captureEntireScreen();
    }
    void captureEntireScreen() { requestCapture(false); }

    platform::WindowId addWindow(const QRect& frame, bool desktop = false) {
        const platform::WindowId id = 0x2a00001 + fake.desktop().windows.size();
        fake.desktop().windows.insert(id, {QStringLiteral("window"), frame, desktop});
        return id;
    }

    // Records the next popup menu once it is open, closes it and triggers choice (if any).
    void answerNextMenu(QAction* choice = nullptr) {
        popped = nullptr;
        poppedDefault = nullptr;
        menuAnswer.setSingleShot(true);
        menuAnswer.setInterval(0);
        QObject::disconnect(&menuAnswer, nullptr, nullptr, nullptr);
        QObject::connect(&menuAnswer, &QTimer::timeout, [this, choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return menuAnswer.start();
            popped = menu;
            poppedDefault = menu->defaultAction();
            menu->close();
            if (choice)
                choice->trigger();
        });
        menuAnswer.start();
    }

    QTimer menuAnswer;
    QMenu* popped = nullptr;
    QAction* poppedDefault = nullptr;
};

// A frozen screen driven with mouse events in pixels; the fake pointer follows every event.
class AreaTest : public CaptureTest {
protected:
    AreaTest() {
        settings().autoCopy = true;  // so that the clipboard shows captures
        freeze();
        fake.clock().sleeps.clear();
    }

    FrozenCanvas* picture() { return frozenScreen().canvas; }

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
    // The band follows one move late, so the pointer rests at the far corner for two moves.
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        press(from, button);
        move(to);
        move(to);
        release(to, button);
    }

    void circular() { session().shape = capture::SelectionShape::Circle; }
    QRect bandPixels() { return picture()->toPixels(frozenScreen().band->geometry()); }

    Qt::MouseButtons held;
};

}  // namespace qv::shell::capturetests
