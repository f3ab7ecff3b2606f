// Capturing the marked area: the mouse-up that ends a drag, capturing the band again, and the
// copy of the band's inside into the capture buffer.
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "objects/state.h"
#include "options/state.h"
#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::shell {

namespace {

// Everything outside the circle inscribed in the image, less 1.7 pixels, becomes white: a
// pixel belongs to the circle when its centre lies within the radius.
void whitenOutsideCircle(QImage& image) {
    const int width = image.width();
    const int height = image.height();
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double radius = width / 2.0 - 1.7;
    const QRgb white = qRgb(255, 255, 255);
    auto inside = [&](int x, double dy2) {
        const double dx = x + 0.5 - cx;
        return dx * dx + dy2 <= radius * radius;
    };
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double dy = y + 0.5 - cy;
        const double dy2 = dy * dy;
        int first = width;
        int last = -1;
        if (radius > 0 && dy2 <= radius * radius) {
            const double half = std::sqrt(radius * radius - dy2);
            first = std::clamp(int(std::ceil(cx - half - 0.5)), 0, width);
            last = std::clamp(int(std::floor(cx + half - 0.5)), -1, width - 1);
            // The square root may land a hair either side of the exact bound.
            while (first > 0 && inside(first - 1, dy2))
                --first;
            while (first <= last && !inside(first, dy2))
                ++first;
            while (last < width - 1 && inside(last + 1, dy2))
                ++last;
            while (last >= first && !inside(last, dy2))
                --last;
        }
        if (first > last) {
            std::fill(line, line + width, white);
            continue;
        }
        std::fill(line, line + first, white);
        std::fill(line + last + 1, line + width, white);
    }
}

}  // namespace

// A band more than 5 pixels wide or high counts as a capture at the mouse-up.
bool FrozenScreen::bandLargeEnough() const {
    return float(band->width()) > float(5 * screenTwipsPerPixelX()) ||
           float(band->height()) > float(5 * screenTwipsPerPixelY());
}

// The copy itself needs 5 pixels both ways, which leaves at least 3 inside the outline.
bool FrozenScreen::bandCopyable() const {
    return band->width() >= 5 * screenTwipsPerPixelX() &&
           band->height() >= 5 * screenTwipsPerPixelY();
}

// What the window shows inside the band's one-pixel outline, without the band and captions.
QImage FrozenScreen::bandInside() const {
    const double tx = screenTwipsPerPixelX();
    const double ty = screenTwipsPerPixelY();
    using toolkit::toInt;
    const QRect inside(toInt(band->left() / tx + 1), toInt(band->top() / ty + 1),
                       toInt(band->width() / tx - 2), toInt(band->height() / ty - 2));
    // A capture holds the objects only: never the band, captions or selection marks.
    return canvas->render(
        inside, [](const CanvasItem& item) { return item.role() == CanvasItem::Role::Object; });
}

void FrozenScreen::endDrag(Qt::MouseButton button, QPointF at) {
    // The right button's release belongs to the context menu it opened.
    if (button != Qt::LeftButton && button != Qt::MiddleButton)
        return;
    auto& captureState = capture::state();
    canvas->bringToFront(band);
    if (objectSelected()) {
        captureState.dragState = capture::DragState::Idle;
        platform::clock().processEvents();
        platform::clock().sleep(300);
        return;
    }
    if (captureState.freeze.recaptured) {
        captureState.dragState = capture::DragState::Idle;
        captureState.freeze.recaptured = false;
        return;
    }
    // Only the end of a drag that a press on the picture started captures.
    if (captureState.dragState != capture::DragState::Dragging)
        return;
    finishBand(at);
    const bool large = bandLargeEnough();
    if (large && !bandCopyable()) {
        // Too thin to copy: refused as a whole, and the last capture stays as it was.
        captureState.dragState = capture::DragState::Idle;
        return;
    }

    const float left = float(band->left());
    const float top = float(band->top());
    const float width = float(band->width());
    const float height = float(band->height());
    objects::state().newObjectPos =
        QPointF(left + width - width / 2.0f, top + height - height / 2.0f);

    markerTimer->start(200);
    dotsMarker->setTextColor(toolkit::colorFromValue(options::state().settings.frameColor));
    dotsMarker->move(band->left() + band->width(),
                     band->top() + band->height() + sizeReadout->height());
    dotsMarker->show();
    captureState.freeze.captureAvailable = large;
    if (!large)
        dotsMarker->hide();
    captureState.dragState = capture::DragState::Idle;
    captureState.captureValid = large;
    if (!large)
        markerTimer->stop();
    if (large)
        copyBand();
}

void FrozenScreen::captureBandAgain() {
    auto& captureState = capture::state();
    captureState.freeze.recaptured = true;
    captureState.dragStart = QPoint(captureState.bandX1, captureState.bandY1);
    captureState.dragEnd = QPoint(captureState.bandX2, captureState.bandY2);
    captureState.dragState = capture::DragState::Idle;
    if (bandLargeEnough())
        copyBand();
}

bool FrozenScreen::stillFrozen() const {
    return shell::windows().frozenScreen.peek() == this;
}

void FrozenScreen::copyBand() {
    if (!bandCopyable())
        return;
    auto& captureState = capture::state();
    captureState.areaCaptureRunning = true;
    const QCursor remembered = cursor();
    setCursor(Qt::BusyCursor);
    const QPointer<FrozenScreen> alive(this);

    if (capture::session().shape == capture::SelectionShape::Rectangle) {
        capture::session().buffer = bandInside();
        setCursor(remembered);
        runAfterCaptureActions();
        captureState.areaCaptureRunning = false;
    }
    // A command chosen in a menu that the actions popped up may have released the desktop.
    if (!alive || !stillFrozen())
        return;
    if (capture::session().shape == capture::SelectionShape::Circle) {
        QImage inside = bandInside();
        canvas->setCursor(Qt::WaitCursor);
        setObjectPointers(11);
        whitenOutsideCircle(inside);
        capture::session().buffer = inside;
        canvas->setCursor(Qt::ArrowCursor);
        setObjectPointers(0);
        setCursor(remembered);
        runAfterCaptureActions();
        captureState.areaCaptureRunning = false;
    }
}

}  // namespace qv::shell
