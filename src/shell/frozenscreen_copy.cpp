// Capturing the marked area: the mouse-up that ends a drag, capturing the band again, and the
// copy of the band's inside into the capture buffer.
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/program.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/vbmath.h"

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
bool FrozenScreen::bandlargeenough() const {
    return float(Shape1->width()) > float(5 * twipsX()) ||
           float(Shape1->height()) > float(5 * twipsY());
}

// The copy itself needs 5 pixels both ways, which leaves at least 3 inside the outline.
bool FrozenScreen::bandcopyable() const {
    return Shape1->width() >= 5 * twipsX() && Shape1->height() >= 5 * twipsY();
}

// What the window shows inside the band's one-pixel outline, without the band and captions.
QImage FrozenScreen::bandinside() const {
    const double tx = twipsX();
    const double ty = twipsY();
    using toolkit::toInt;
    const QRect inside(toInt(Shape1->left() / tx + 1), toInt(Shape1->top() / ty + 1),
                       toInt(Shape1->width() / tx - 2), toInt(Shape1->height() / ty - 2));
    return Picture1->render(inside, [](const CanvasItem& item) {
        return item.role() != CanvasItem::Role::Band && item.role() != CanvasItem::Role::Caption;
    });
}

void FrozenScreen::Picture1_MouseUp(Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    auto& shell = program().shell;
    Picture1->bringToFront(Shape1);
    if (objectselected()) {
        shell.dragstate = 1;
        platform::clock().processEvents();
        platform::clock().sleep(300);
        return;
    }
    if (shell.recaptured) {
        shell.dragstate = 1;
        shell.recaptured = false;
        return;
    }
    // Only the end of a drag that a left press on the picture started captures.
    if (shell.dragstate != 2)
        return;
    const bool large = bandlargeenough();
    if (large && !bandcopyable()) {
        // Too thin to copy: refused as a whole, and the last capture stays as it was.
        shell.dragstate = 1;
        return;
    }

    const float left = float(Shape1->left());
    const float top = float(Shape1->top());
    const float width = float(Shape1->width());
    const float height = float(Shape1->height());
    program().objects.newobjectpos =
        QPointF(left + width - width / 2.0f, top + height - height / 2.0f);

    Timer1->start(200);
    Label2->setForeColor(toolkit::colorFromValue(program().options.settings.frameColor));
    Label2->move(Shape1->left() + Shape1->width(),
                 Shape1->top() + Shape1->height() + Label1->height());
    Label2->show();
    shell.captureavailable = large;
    if (!large)
        Label2->hide();
    shell.dragstate = 1;
    shell.capturevalid = large;
    if (!large)
        Timer1->stop();
    if (large)
        copyBand();
}

void FrozenScreen::captureBandAgain() {
    auto& shell = program().shell;
    shell.recaptured = true;
    shell.dragstart = QPoint(shell.bandx1, shell.bandy1);
    shell.dragend = QPoint(shell.bandx2, shell.bandy2);
    shell.dragstate = 1;
    if (bandlargeenough())
        copyBand();
}

bool FrozenScreen::stillfrozen() const {
    return program().shellWindows().frozenScreen.peek() == this;
}

void FrozenScreen::copyBand() {
    if (!bandcopyable())
        return;
    auto& shell = program().shell;
    shell.areacapturerunning = true;
    const QCursor remembered = cursor();
    setCursor(Qt::BusyCursor);
    const QPointer<FrozenScreen> alive(this);

    if (shell.rectangularmode) {
        program().shellWindows().form3->Picture1->setImage(bandinside());
        setCursor(remembered);
        releaseAfterOneStepCapture();
        shell.areacapturerunning = false;
    }
    // A command chosen in a menu that the actions popped up may have released the desktop.
    if (!alive || !stillfrozen())
        return;
    if (shell.circularmode) {
        QImage inside = bandinside();
        Picture1->setCursor(Qt::WaitCursor);
        whitenOutsideCircle(inside);
        program().shellWindows().form3->Picture1->setImage(inside);
        Picture1->setCursor(Qt::ArrowCursor);
        setCursor(remembered);
        releaseAfterOneStepCapture();
        shell.areacapturerunning = false;
    }
}

}  // namespace qv::shell
