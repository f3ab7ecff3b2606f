#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <functional>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "fakes/fakeprogram.h"
#include "objects/forms.h"
#include "options/forms.h"
#include "shell/forms.h"

namespace qv::shell::capturetests {

// A screen whose every pixel differs from its neighbours, so that any shift, scale or crop of
// a copy shows.
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
    CaptureTest() {
        fake.desktop().screen = patternScreen(1280, 800);
        options().autopopupmenu = false;
        options().autoreleasedesktop = false;
    }
    ~CaptureTest() override {
        menuAnswer.stop();
        flushDrops();
    }

    static void flushDrops() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    shell::State& shellState() { return prog.shell; }
    options::State& options() { return prog.options; }
    Forms& forms() { return prog.shellForms(); }
    Form1& form1() { return forms().form1.get(); }
    Form2& form2() { return forms().form2.get(); }
    Form3& form3() { return forms().form3.get(); }
    options::Form4& form4() { return prog.optionsForms().form4.get(); }

    void freeze() { form1().mnuFreeze->trigger(); }

    // What the main window's one-step capture commands do before they freeze.
    void requestCapture(bool window) {
        auto& s = shellState();
        (window ? s.pendingwindow : s.pendingscreen) = true;
        s.capturevalid = s.rectangularmode = s.captureavailable = true;
        s.circularmode = false;
        forms().form2.drop();
        form1().mnuRelease->setEnabled(true);
        form1().Command1->click();
    }
    void captureEntireScreen() { requestCapture(false); }
    void captureActiveWindow(platform::WindowId target) {
        form3().Text1->setText(QString::number(target));
        requestCapture(true);
    }

    platform::WindowId addWindow(const QRect& frame, bool desktop = false) {
        const platform::WindowId id = 0x2a00001 + fake.desktop().windows.size();
        fake.desktop().windows.insert(id, {QStringLiteral("window"), frame, desktop});
        return id;
    }

    // Answers the next popup menu: records it, triggers choice (if any) and closes it.
    void answerNextMenu(QAction* choice = nullptr) {
        menuAnswer.setSingleShot(true);
        menuAnswer.setInterval(0);
        QObject::disconnect(&menuAnswer, nullptr, nullptr, nullptr);
        QObject::connect(&menuAnswer, &QTimer::timeout, [this, choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
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

}  // namespace qv::shell::capturetests
