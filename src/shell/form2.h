#pragma once

#include <QWidget>
#include <memory>

#include "platform/clock.h"
#include "shell/canvas.h"

namespace qv::shell {

// "Frozen Screen": the desktop snapshot full screen, where areas are marked and captured and
// annotation objects lie. Its activation also runs the one-step captures.
class Form2 : public QWidget {
public:
    Form2();
    ~Form2() override;
    // The part of the load that reaches the dialogs shown over this window.
    void load();

    FrozenCanvas* Picture1;  // the snapshot with the items over it
    CanvasShape* Shape1;     // the band, or the frame of a one-step capture
    CanvasLabel* Label1;     // the size readout
    CanvasLabel* Label2;     // the dots marker
    CanvasLabel* Label3;     // "Please wait !"
    std::unique_ptr<platform::Timer> Timer1;

    // The window's nominal size in twips, as the freeze gives it.
    void setSizeTwips(double width, double height);
    double widthTwips() const { return widthTwips_; }
    double heightTwips() const { return heightTwips_; }
    // Shows the window over its whole picture and makes it the active one at once, so its
    // activation has run when this returns.
    void showActive();

    void releaseonscroractwin();
    void popupandautorelease();
    void clearobjects();
    void clearpositems();
    // The pointer of the area mode over the picture.
    void setareacursor();

protected:
    bool event(QEvent* event) override;

private:
    void Form_Activate();
    void Timer1_Timer();
    bool objectselected() const;
    bool captureguard();
    bool captureactivewindow();
    void captureentirescreen();
    void showframe(double left, double top, double width, double height);

    double widthTwips_ = 0;
    double heightTwips_ = 0;
    bool activating_ = false;
};

}  // namespace qv::shell
