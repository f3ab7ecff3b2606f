#include "shell/frozenscreen.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QScopedValueRollback>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "output/windows.h"
#include "platform/services.h"
#include "shell/cursors.h"
#include "shell/ownwindowsabove.h"
#include "shell/windowdesign.h"
#include "shell/windows.h"

namespace qv::shell {

FrozenScreen::FrozenScreen()
    : canvas(new FrozenCanvas(this)),
      band(canvas->addShape(CanvasItem::Role::Band)),
      sizeReadout(canvas->addLabel(CanvasItem::Role::Caption)),
      dotsMarker(canvas->addLabel(CanvasItem::Role::Caption)),
      pleaseWaitLabel(canvas->addLabel(CanvasItem::Role::Caption)),
      markerTimer(platform::clock().createTimer()) {
    canvas->setTwipsPerPixel(
        [] { return QPointF(capture::state().twipsPerPixelX, capture::state().twipsPerPixelY); });
    setWindowTitle(QStringLiteral("Frozen Screen"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    const QColor tipBack = QApplication::palette().color(QPalette::ToolTipBase);
    dotsMarker->setFont(boldArial(9.75));
    dotsMarker->setBackgroundColor(tipBack);
    dotsMarker->setCaption(QStringLiteral("............"));
    pleaseWaitLabel->setTextColor(Qt::red);
    pleaseWaitLabel->setBackgroundColor(tipBack);
    pleaseWaitLabel->setCaption(QStringLiteral("      Please wait !      "));
    markerTimer->onTimeout = [this] { advanceDotsMarker(); };
    QFont readout(QStringLiteral("MS Sans Serif"));
    readout.setPointSizeF(8.25);
    readout.setBold(true);
    sizeReadout->setFont(readout);
    sizeReadout->setTextColor(QApplication::palette().color(QPalette::ToolTipText));
    sizeReadout->setBackgroundColor(tipBack);
    createObjectItems();
    canvas->installEventFilter(this);
    ownWindowsAbove_ = new OwnWindowsAbove(*this);

    auto& captureState = capture::state();
    clearObjects();
    hideHoverMarks();
    band->hide();
    captureState.areaCaptureRunning = false;
    captureState.freeze.captureAvailable = false;
    sizeReadout->hide();
    dotsMarker->hide();
    pleaseWaitLabel->hide();
    captureState.dragStart = captureState.dragEnd = captureState.dragLast = QPoint(0, 0);
    captureState.circleRadius = 0;
    markerTimer->stop();
    setAreaCursor();

    // The newest frozen screen listens; one already thrown away hears nothing.
    platform::desktop().onForegroundChanged =
        [screen = QPointer<FrozenScreen>(this)](platform::WindowId active) {
            if (!screen)
                return;
            // Ours again also when the window system activates us after Qt already had.
            if (platform::desktop().isOwnWindow(active))
                screen->takeBackTop();
            else
                screen->yieldTo(active);
        };
}

FrozenScreen::~FrozenScreen() = default;

void FrozenScreen::load() {
    // Asking builds each dialog, hidden, when it is not there yet: both are asked.
    const bool emailShown = output::windows().emailDialog->isVisible();
    const bool saveShown = output::windows().saveDialog->isVisible();
    if (emailShown || saveShown)
        capture::state().freeze.dialogOpen = false;
}

void FrozenScreen::setSizeTwips(double width, double height) {
    widthTwips_ = width;
    heightTwips_ = height;
}

void FrozenScreen::showAndActivate() {
    // The window covers its whole picture, the screen: a strip of the live screen left
    // uncovered below a frozen one would mislead, however short the nominal height is.
    setGeometry(QRect(QPoint(0, 0), canvas->size()));
    const bool active = isVisible() && QApplication::activeWindow() == this;
    show();
    raise();
    activateWindow();
    if (active)
        return;
    // The window system activates the window later, or not at all for a window shown while
    // another of ours is active: the activation's steps are done here, and Qt counts the
    // window active at once, so that the activation, when it comes, is no new one.
    {
        const QScopedValueRollback<bool> shown(activating_, true);
        QApplication::setActiveWindow(this);
    }
    showSnapshotAgain();
}

void FrozenScreen::takeOneStepCapture(bool activeWindow) {
    // A message box or menu closing inside the capture hands the activation back, which must
    // not take the capture a second time.
    const QScopedValueRollback<bool> busy(activating_, true);
    if (activeWindow)
        captureActiveWindow();
    else
        captureEntireScreen();
}

bool FrozenScreen::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        takeBackTop();
        handleActivation();
    }
    return QWidget::event(event);
}

void FrozenScreen::yieldTo(platform::WindowId other) {
    if (!isVisible())
        return;
    yielded_ = true;
    platform::Desktop& desktop = platform::desktop();
    desktop.keepAbove(winId(), false);
    desktop.stackBelow(winId(), other);
}

void FrozenScreen::takeBackTop() {
    if (!yielded_)
        return;
    yielded_ = false;
    platform::desktop().keepAbove(winId(), true);
    raise();
}

void FrozenScreen::setAreaCursor() {
    // Made once: the window system keeps one pointer per picture, and this runs at every move.
    const bool circle = capture::session().shape == capture::SelectionShape::Circle;
    std::optional<QCursor>& made = circle ? circleCursor_ : rectangleCursor_;
    if (!made)
        made = circle ? cursors::circleMode() : cursors::rectangleMode();
    canvas->setAreaCursor(*made);
}

void FrozenScreen::advanceDotsMarker() {
    QString dots = dotsMarker->caption() + QLatin1Char('.');
    if (dots.size() > 10)
        dots = QStringLiteral(".");
    dotsMarker->setCaption(dots);
}

}  // namespace qv::shell
