#pragma once

#include <QCursor>
#include <QPointF>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "shell/canvas.h"

namespace qv::shell {

// "Frozen Screen": the desktop snapshot full screen, where areas are marked and captured and
// annotation objects lie. Its activation also runs the one-step captures.
class FrozenScreen : public QWidget {
public:
    FrozenScreen();
    ~FrozenScreen() override;
    // The part of the load that reaches the dialogs shown over this window.
    void load();

    FrozenCanvas* Picture1;  // the snapshot with the items over it
    CanvasShape* Shape1;     // the band, or the frame of a one-step capture
    CanvasLabel* Label1;     // the size readout
    CanvasLabel* Label2;     // the dots marker
    CanvasLabel* Label3;     // "Please wait !"
    std::unique_ptr<platform::Timer> Timer1;

    // The annotation object pools the hover tests read (a free element is a hidden one), and
    // the transparent items they lay over the hovered shape and line.
    std::vector<CanvasShape*> Shape2;  // shapes
    std::vector<CanvasLine*> Line1;    // lines and the shafts of arrows
    CanvasLabel* Label5 = nullptr;     // over the hovered shape
    std::vector<CanvasLabel*> Label6;  // over the hovered line's start, midpoint and end

    // The window's nominal size in twips, as the freeze gives it.
    void setSizeTwips(double width, double height);
    double widthTwips() const { return widthTwips_; }
    double heightTwips() const { return heightTwips_; }
    // Shows the window over its whole picture and makes it the active one at once, so its
    // activation has run when this returns.
    void showActive();

    // Captures the band as last drawn again.
    void captureBandAgain();
    // Copies the inside of the band into the capture buffer and runs the after-capture actions.
    void copyBand();

    void releaseAfterOneStepCapture();
    void popUpOrRelease();
    void clearObjects();
    void hideHoverMarks();
    // The pointer of the area mode over the picture.
    void setAreaCursor();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void Timer1_Timer();
    void Picture1_MouseDown(Qt::MouseButton button, QPointF at);
    void Picture1_MouseMove(QPointF at);
    void Picture1_MouseUp(Qt::MouseButton button);
    void Picture1_RightClick(QPointF at);
    void startdrag(QPointF at);
    void drawband();
    void showsize();
    void hittests();
    // The pointer on the picture in twips, as the system reports it.
    QPointF pointertwips() const;
    QSizeF picturetwips() const;
    bool bandlargeenough() const;
    bool bandcopyable() const;
    QImage bandinside() const;
    void popupcontext();
    // This window is still the frozen screen: no release has dropped it meanwhile.
    bool stillfrozen() const;
    void createobjectitems();
    static double twipsX();
    static double twipsY();
    bool objectselected() const;
    bool captureguard();
    bool captureactivewindow();
    void captureentirescreen();
    void showframe(double left, double top, double width, double height);

    double widthTwips_ = 0;
    double heightTwips_ = 0;
    bool activating_ = false;
    std::optional<QCursor> rectanglecursor_;
    std::optional<QCursor> circlecursor_;
};

}  // namespace qv::shell
