// The activation of the frozen screen and the two one-step captures it serves.
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <cstdlib>

#include "autocapture/state.h"
#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "objects/state.h"
#include "options/settings.h"
#include "options/state.h"
#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"
#include "toolkit/twips.h"

namespace qv::shell {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");

}  // namespace

double FrozenScreen::screenTwipsPerPixelX() {
    return toolkit::twipsPerPixel(platform::desktop().logicalDpiX());
}

double FrozenScreen::screenTwipsPerPixelY() {
    return toolkit::twipsPerPixel(platform::desktop().logicalDpiY());
}

void FrozenScreen::handleActivation() {
    // A message box or menu closing inside the activation hands the activation back; the
    // captures in progress must not run a second time.
    if (activating_)
        return;
    // The window system can still hand the activation to a frozen screen just released, while
    // a new freeze lets our windows repaint; the captures waiting are the new screen's.
    if (!isVisible())
        return;
    QScopedValueRollback<bool> busy(activating_, true);
    showSnapshotAgain();
    takePendingCapture();
}

void FrozenScreen::showSnapshotAgain() {
    auto& captureState = capture::state();
    captureState.frozenForeground = platform::desktop().foregroundWindow();
    captureState.areaCaptureRunning = false;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    captureState.dragStart = captureState.dragEnd = captureState.dragLast = QPoint(0, 0);
    if (!captureState.freeze.dialogOpen) {
        canvas->clearPicture();
        auto& session = capture::session();
        // A failed grab starts the session afresh.
        if (session.snapshot.isNull())
            session.release();
        canvas->setPicture(session.snapshot);
        markerTimer->stop();
    }
    captureState.freeze.desktopFrozen = true;
    captureState.dragState = capture::DragState::Idle;

    band->setBorderStyle(options::state().settings.outline == options::FrameOutline::Dotted
                             ? CanvasShape::Dot
                             : CanvasShape::Solid);
}

void FrozenScreen::takePendingCapture() {
    const auto& freeze = capture::state().freeze;
    if (freeze.pendingWindow && !captureActiveWindow())
        return;
    if (freeze.pendingScreen)
        captureEntireScreen();
}

bool FrozenScreen::mayCapture() {
    auto& captureState = capture::state();
    if (objectSelected()) {
        captureState.dragState = capture::DragState::Idle;
        platform::clock().processEvents();
        platform::clock().sleep(300);
        return false;
    }
    if (captureState.freeze.recaptured) {
        captureState.dragState = capture::DragState::Idle;
        captureState.freeze.recaptured = false;
        return false;
    }
    return true;
}

void FrozenScreen::showFrame(double left, double top, double width, double height) {
    band->setShape(CanvasShape::Rectangle);
    band->setBorderColor(toolkit::colorFromValue(options::state().settings.frameColor));
    band->setGeometry(left, top, width, height);
    band->show();
    // Single precision, as the objects that will be placed there expect.
    const float w = float(width);
    const float h = float(height);
    objects::state().newObjectPos = QPointF(float(left) + w - w / 2.0f, float(top) + h - h / 2.0f);
}

bool FrozenScreen::captureActiveWindow() {
    if (!mayCapture())
        return false;
    auto& captureState = capture::state();
    const bool silent = autocapture::state().autoCaptureRunning;
    captureState.freeze.captureAvailable = true;

    auto& desktop = platform::desktop();
    auto& session = capture::session();
    const platform::WindowId target = session.targetWindow;
    const QImage& snapshot = canvas->picture();
    QRect frame;
    QString failure;
    if (target != 0 && desktop.isDesktop(target)) {
        failure = QStringLiteral("Window was not active !");
    } else {
        if (target != 0)
            frame =
                desktop.windowFrame(target).intersected(QRect(QPoint(0, 0), desktop.screenSize()));
        if (frame.isEmpty())
            failure = QStringLiteral("Cannot find any active Window !");
    }
    if (!failure.isEmpty()) {
        // Cleared before the message, whose closing activates this window again.
        captureState.freeze.pendingWindow = false;
        captureState.freeze.captureAvailable = false;
        if (!silent) {
            platform::dialogs().message(failure, platform::MsgButtons::Ok,
                                        platform::MsgIcon::Information, kTitle, this);
        }
        return false;
    }

    const double tx = screenTwipsPerPixelX();
    const double ty = screenTwipsPerPixelY();
    const int left = toolkit::toInt(frame.left() * tx);
    const int right = toolkit::toInt((frame.left() + frame.width()) * tx);
    const int top = toolkit::toInt(frame.top() * ty);
    const int bottom = toolkit::toInt((frame.top() + frame.height()) * ty);
    showFrame(left - 10, top - 10, std::abs(right - left) + 25, std::abs(bottom - top) + 25);
    captureState.bandX1 = left;
    captureState.bandX2 = right;
    captureState.bandY1 = top;
    captureState.bandY2 = bottom;
    // The window exactly as the snapshot shows it, pixel for pixel.
    session.buffer = snapshot.copy(frame);

    if (!silent)
        runAfterCaptureActions();
    captureState.freeze.pendingWindow = false;
    return true;
}

void FrozenScreen::captureEntireScreen() {
    if (!mayCapture())
        return;
    auto& captureState = capture::state();
    captureState.freeze.captureAvailable = true;

    const QSize screen = platform::desktop().screenSize();
    const int width = toolkit::toInt(screen.width() * screenTwipsPerPixelX());
    const int height = toolkit::toInt(screen.height() * screenTwipsPerPixelY());
    showFrame(10, 10, width - 10, height - 38);
    captureState.bandX1 = 0;
    captureState.bandX2 = width;
    captureState.bandY1 = 0;
    captureState.bandY2 = height;
    // The snapshot itself: the buffer shares it instead of holding a second full-screen image.
    capture::session().buffer = canvas->picture();

    if (!autocapture::state().autoCaptureRunning)
        runAfterCaptureActions();
    captureState.freeze.pendingScreen = false;
}

}  // namespace qv::shell
