#pragma once

#include <QCursor>
#include <QPointF>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "objects/objectlayer.h"
#include "objects/stage.h"
#include "platform/clock.h"
#include "platform/windowid.h"
#include "shell/canvas.h"

namespace qv::shell {

class OwnWindowsAbove;

// "Frozen Screen": the desktop snapshot full screen, where areas are marked and captured and
// annotation objects lie, and where the one-step captures are taken.
class FrozenScreen : public QWidget, public objects::Stage {
public:
    FrozenScreen();
    ~FrozenScreen() override;
    // The part of the load that reaches the dialogs shown over this window.
    void load();

    FrozenCanvas* canvas;      // the snapshot with the items over it
    CanvasShape* band;         // the marked area, or the frame of a one-step capture
    CanvasLabel* sizeReadout;  // the band's size, at its lower right corner
    CanvasLabel* dotsMarker;   // a growing row of dots below the readout after a capture
    CanvasLabel* pleaseWaitLabel;
    std::unique_ptr<platform::Timer> markerTimer;  // grows the dots marker

    // The annotation objects and their selection marks.
    objects::ObjectLayer* objectLayer = nullptr;
    // The pools the hover tests read (a free element is a hidden one), and the transparent
    // items they lay over the hovered shape and line: the object layer's own.
    std::vector<CanvasShape*> shapes;
    std::vector<CanvasLine*> lines;           // lines and the shafts of arrows
    CanvasLabel* shapeHoverMark = nullptr;    // over the hovered shape
    std::vector<CanvasLabel*> lineGrabAreas;  // over the hovered line's start, midpoint and end

    // The window's nominal size in twips, as the freeze gives it.
    void setSizeTwips(double width, double height);
    double widthTwips() const { return widthTwips_; }
    double heightTwips() const { return heightTwips_; }
    // Shows the window over its whole picture and makes it the active one at once, so its
    // activation has shown the snapshot when this returns.
    void showAndActivate();
    // The capture a one-step command asked for, once the window shows. A later activation
    // takes only a request that is still pending.
    void takeOneStepCapture(bool activeWindow);

    // Captures the band as last drawn again.
    void captureBandAgain();
    // Copies the inside of the band into the capture buffer and runs the after-capture actions.
    void copyBand();

    // What every capture ends with: the clipboard, the sound, then the context menu or the
    // release as the options ask.
    void runAfterCaptureActions();
    void clearObjects();
    void hideHoverMarks();
    // The pointer of the area mode over the picture.
    void setAreaCursor();
    // Keeps our other windows in front of this one while it shows.
    OwnWindowsAbove& ownWindowsAbove() { return *ownWindowsAbove_; }

    // What the objects ask of the window they lie on.
    QWidget* stageWindow() override { return this; }
    QPointF pointerTwips() const override;
    void captureAreaAgain() override { captureBandAgain(); }
    void popUpShapeMenu() override;
    void popUpImageMenu() override;
    void popUpLineMenu() override;
    void popUpTextMenu() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the snapshot (unless a dialog over the window kept the picture) and takes the
    // one-step capture still pending.
    void handleActivation();
    void showSnapshotAgain();
    void takePendingCapture();
    void advanceDotsMarker();
    void pressOnCanvas(Qt::MouseButton button, QPointF at);
    void moveOnCanvas(QPointF at);
    void endDrag(Qt::MouseButton button, QPointF at);
    void rightClickOnCanvas(QPointF at);
    void startDrag(QPointF at);
    void drawBand();
    // Draws the band from the anchor to end and keeps it as the band last drawn.
    void drawBandThrough(QPoint end);
    // The band as the drag leaves it: drawn through the release point.
    void finishBand(QPointF at);
    void showSize();
    void runHoverTests();
    // Between the logical pixels Qt places windows in and the screen's device pixels.
    QPoint toDevicePixels(QPoint logical) const;
    QPoint toLogicalPixels(QPoint device) const;
    QSizeF canvasTwips() const;
    bool bandLargeEnough() const;
    bool bandCopyable() const;
    QImage bandInside() const;
    void popUpContextMenu();
    // The same with the paste and output items brought up to date first.
    void popUpContextMenuAfterCapture();
    // This window is still the frozen screen: no release has dropped it meanwhile.
    bool stillFrozen() const;
    void createObjectItems();
    // The pointer of the current text and image, busy while a circle is cut out.
    void setObjectPointers(int pointer);
    // The screen's twips per pixel by its logical resolution now.
    static double screenTwipsPerPixelX();
    static double screenTwipsPerPixelY();
    bool objectSelected() const;
    // A capture waits while an object is selected, and right after the band was captured
    // again; either way the drag ends here.
    bool mayCapture();
    bool captureActiveWindow();
    void captureEntireScreen();
    void showFrame(double left, double top, double width, double height);

    // While a window of another program is active it may show in front of this one (a
    // program started to paste into, a mail composer); activated again, this one is back on
    // top.
    void yieldTo(platform::WindowId other);
    void takeBackTop();
    bool yielded_ = false;
    OwnWindowsAbove* ownWindowsAbove_ = nullptr;

    double widthTwips_ = 0;
    double heightTwips_ = 0;
    bool activating_ = false;
    std::optional<QCursor> rectangleCursor_;
    std::optional<QCursor> circleCursor_;
};

}  // namespace qv::shell
