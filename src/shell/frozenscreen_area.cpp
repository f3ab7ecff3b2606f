// Marking an area on the frozen picture with the mouse: the drag, the band, the size readout,
// the right-click, and the hover tests every press and move runs first.
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "objects/state.h"
#include "options/state.h"
#include "platform/services.h"
#include "shell/clipboardmenus.h"
#include "shell/frozenscreen.h"
#include "shell/hovertests.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::shell {

namespace {

QPoint roundedTwips(QPointF at) {
    return {toolkit::toInt(at.x()), toolkit::toInt(at.y())};
}

// A readout number: two decimals at most, halves to even, the user's decimal separator.
QString readoutNumber(double value) {
    return toolkit::numberText(toolkit::roundHalfEven(value * 100) / 100,
                               platform::locale().decimalSeparator());
}

// The device pixel under the pointer's hot spot. The picture is laid out in device pixels,
// events come in logical ones, and Qt hands a widget its position and the global one rounded
// to whole logical pixels: on a scaled display often a neighbour of the pixel pointed at. The
// position in the window keeps the fraction, so the pixel is taken from it before anything
// is rounded.
QPoint pixelUnderPointer(const QWidget& widget, const QMouseEvent& mouse) {
    const QPointF device =
        widget.mapFrom(widget.window(), mouse.scenePosition()) * widget.devicePixelRatioF();
    // A whole device pixel divided by the scale and multiplied back may land a hair below it.
    constexpr double kSlack = 1e-6;
    return {int(std::floor(device.x() + kSlack)), int(std::floor(device.y() + kSlack))};
}

}  // namespace

bool FrozenScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched != canvas)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            // A press on an object, and every move and release until its button is let go,
            // belong to that object.
            if (canvas->routeMouse(*mouse))
                return true;
            const QPoint pixel = pixelUnderPointer(*canvas, *mouse);
            const auto& captureState = capture::state();
            const QPointF at(pixel.x() * captureState.twipsPerPixelX,
                             pixel.y() * captureState.twipsPerPixelY);
            if (event->type() == QEvent::MouseMove)
                moveOnCanvas(at);
            else if (event->type() == QEvent::MouseButtonRelease)
                endDrag(mouse->button(), at);
            else
                pressOnCanvas(mouse->button(), at);
            return false;
        }
        default:
            return false;
    }
}

QPointF FrozenScreen::pointerTwips() const {
    const auto& captureState = capture::state();
    const QPoint origin = toDevicePixels(canvas->mapToGlobal(QPoint(0, 0)));
    const QPoint cursor = platform::desktop().cursorPos();
    return {(cursor.x() - origin.x()) * captureState.twipsPerPixelX,
            (cursor.y() - origin.y()) * captureState.twipsPerPixelY};
}

QSizeF FrozenScreen::canvasTwips() const {
    const auto& captureState = capture::state();
    const QSize pixels = canvas->pixelSize();
    return {pixels.width() * captureState.twipsPerPixelX,
            pixels.height() * captureState.twipsPerPixelY};
}

void FrozenScreen::runHoverTests() {
    const QPointF at = pointerTwips();
    auto& objectsState = objects::state();
    const auto& captureState = capture::state();
    if (!objectsState.freeze.shapeOptionsOpen) {
        const int shape = hover::shapeAt(shapes, at);
        if (shape >= 0) {
            objectsState.currentShape = qint16(shape);
            shapeHoverMark->setGeometry(shapes[shape]->geometry().x(),
                                        shapes[shape]->geometry().y(), shapes[shape]->width(),
                                        shapes[shape]->height());
            shapeHoverMark->show();
        }
    }
    if (!objectsState.freeze.lineOptionsOpen) {
        const int index =
            hover::lineAt(lines, at, captureState.twipsPerPixelX, captureState.twipsPerPixelY);
        if (index >= 0) {
            objectsState.currentLine = qint16(index);
            const CanvasLine& line = *lines[index];
            const QPointF centres[] = {
                {line.x1(), line.y1()}, hover::midpoint(line), {line.x2(), line.y2()}};
            for (size_t i = 0; i < lineGrabAreas.size() && i < 3; ++i) {
                CanvasLabel* grab = lineGrabAreas[i];
                grab->move(centres[i].x() - grab->width() / 2, centres[i].y() - grab->height() / 2);
            }
            for (CanvasLabel* grab : lineGrabAreas)
                grab->show();
        }
    }
}

void FrozenScreen::pressOnCanvas(Qt::MouseButton button, QPointF at) {
    auto& captureState = capture::state();
    auto& objectsState = objects::state();
    objectsState.shapeSelected = false;
    objectsState.imageSelected = false;
    runHoverTests();

    if (button == Qt::RightButton) {
        rightClickOnCanvas(at);
        return;
    }
    // The middle button marks an area as well, from the band as it was: only the left one
    // clears the last band first. It does not take over a drag under way.
    if (button == Qt::MiddleButton && captureState.dragState == capture::DragState::Idle)
        startDrag(at);
    if (button != Qt::LeftButton)
        return;
    hideHoverMarks();
    objectsState.freeze.objectsDeleted = false;
    markerTimer->stop();
    if (captureState.freeze.pendingWindow || captureState.freeze.pendingScreen ||
        captureState.freeze.dialogOpen) {
        canvas->setPicture(capture::session().snapshot);
        captureState.freeze.pendingWindow = captureState.freeze.pendingScreen =
            captureState.freeze.dialogOpen = false;
    }
    captureState.dragStart = captureState.dragEnd = captureState.dragLast = QPoint(0, 0);
    captureState.circleRadius = 0;
    band->hide();
    band->setGeometry(0, 0, 1, 1);
    // A new drag starts even while the last one is still under way: its mouse-up was lost.
    startDrag(at);
}

void FrozenScreen::startDrag(QPointF at) {
    auto& captureState = capture::state();
    sizeReadout->hide();
    dotsMarker->hide();
    captureState.dragStart = captureState.dragEnd = captureState.dragLast = roundedTwips(at);
    captureState.dragState = capture::DragState::Dragging;
}

void FrozenScreen::rightClickOnCanvas(QPointF at) {
    auto& captureState = capture::state();
    auto& objectsState = objects::state();
    captureState.rightClickPos = QPointF(float(at.x()), float(at.y()));
    captureState.dragState = capture::DragState::Idle;
    updateClipboardMenus();
    const QPointer<FrozenScreen> alive(this);
    if (objectsState.freeze.objectsDeleted || objectSelected()) {
        hideHoverMarks();
        platform::clock().processEvents();
        platform::clock().sleep(300);
        captureBandAgain();
        objectsState.freeze.objectsDeleted = false;
        // The capture's own actions may have released the desktop meanwhile.
        if (!alive || !stillFrozen())
            return;
    }
    MainWindow& mainWindow = shell::windows().mainWindow.get();
    if (objectsState.freeze.objectsAdded) {
        mainWindow.circleModeItem->setEnabled(true);
        mainWindow.rectangleModeItem->setEnabled(true);
    }
    popUpContextMenu();
}

void FrozenScreen::popUpContextMenu() {
    MainWindow& mainWindow = shell::windows().mainWindow.get();
    mainWindow.contextMenu->setDefaultAction(mainWindow.contextReleaseItem);
    // The pointer is read in device pixels; menus are placed in logical ones.
    mainWindow.contextMenu->exec(toLogicalPixels(platform::desktop().cursorPos()));
}

QPoint FrozenScreen::toDevicePixels(QPoint logical) const {
    return (QPointF(logical) * devicePixelRatioF()).toPoint();
}

QPoint FrozenScreen::toLogicalPixels(QPoint device) const {
    return (QPointF(device) / devicePixelRatioF()).toPoint();
}

void FrozenScreen::moveOnCanvas(QPointF at) {
    auto& captureState = capture::state();
    // While a band is drawn the objects it passes stay unmarked: a mark would take the mouse.
    if (captureState.dragState != capture::DragState::Dragging)
        runHoverTests();
    setAreaCursor();
    if (captureState.dragState != capture::DragState::Dragging)
        return;
    // The band reaches the previous position; the readout shows this one.
    drawBandThrough(captureState.dragLast);
    captureState.dragEnd = roundedTwips(at);
    captureState.dragLast = captureState.dragEnd;
    showSize();
    captureState.freeze.recaptured = false;
    objects::state().freeze.objectsDeleted = false;
}

void FrozenScreen::drawBandThrough(QPoint end) {
    auto& captureState = capture::state();
    captureState.dragEnd = end;
    drawBand();
    captureState.bandX1 = captureState.dragStart.x();
    captureState.bandX2 = captureState.dragEnd.x();
    captureState.bandY1 = captureState.dragStart.y();
    captureState.bandY2 = captureState.dragEnd.y();
}

void FrozenScreen::finishBand(QPointF at) {
    auto& captureState = capture::state();
    // A quick flick may end before any move has drawn the band: the band the user sees when
    // letting go, and the capture taken of it, reach the release point. A click draws nothing.
    const QPoint end = roundedTwips(at);
    if (end == captureState.dragStart)
        return;
    drawBandThrough(end);
    captureState.dragLast = captureState.dragEnd;
    showSize();
}

void FrozenScreen::drawBand() {
    auto& captureState = capture::state();
    const QPoint start = captureState.dragStart;
    const QPoint end = captureState.dragEnd;
    const QColor color = toolkit::colorFromValue(options::state().settings.frameColor);
    if (capture::session().shape == capture::SelectionShape::Rectangle) {
        band->setShape(CanvasShape::Rectangle);
        band->setBorderColor(color);
        band->show();
        if (start.x() != end.x() && start.y() != end.y()) {
            band->setGeometry(std::min(start.x(), end.x()), std::min(start.y(), end.y()),
                              std::abs(end.x() - start.x()), std::abs(end.y() - start.y()));
        }
    }
    if (capture::session().shape == capture::SelectionShape::Circle) {
        double& r = captureState.circleRadius;
        // The vertical distance decides; the horizontal one only on the anchor's row.
        if (end.x() != start.x())
            r = 1.6 * std::abs(end.x() - start.x());
        if (end.y() != start.y())
            r = 1.6 * std::abs(end.y() - start.y());
        // The circle stays on the picture, each edge tested with the radius the last left.
        const QSizeF picture = canvasTwips();
        if (start.x() + r >= picture.width())
            r = picture.width() - start.x();
        if (start.y() + r >= picture.height())
            r = picture.height() - start.y();
        if (start.x() - r <= 0)
            r = start.x();
        if (start.y() - r <= 0)
            r = start.y();
        band->setShape(CanvasShape::Circle);
        band->setBorderColor(color);
        band->show();
        band->setGeometry(start.x() - r, start.y() - r, 2 * r, 2 * r);
    }
}

void FrozenScreen::showSize() {
    const auto& captureState = capture::state();
    if (!(band->left() > 1 && band->top() > 1))
        return;
    sizeReadout->move(band->left() + band->width(), band->top() + band->height());
    if (options::state().settings.showCurrentSize)
        sizeReadout->show();
    if (capture::session().shape == capture::SelectionShape::Rectangle) {
        const double w = std::abs(captureState.dragEnd.x() - captureState.dragStart.x()) /
                         captureState.twipsPerPixelX;
        const double h = std::abs(captureState.dragEnd.y() - captureState.dragStart.y()) /
                         captureState.twipsPerPixelY;
        sizeReadout->setCaption(QStringLiteral(" Size: ") + readoutNumber(w) +
                                QStringLiteral(" X ") + readoutNumber(h) +
                                QStringLiteral(" pixels "));
    } else if (capture::session().shape == capture::SelectionShape::Circle) {
        const double d = 2 * captureState.circleRadius / captureState.twipsPerPixelX;
        sizeReadout->setCaption(QStringLiteral(" Diameter: ") + readoutNumber(d) +
                                QStringLiteral(" pixels "));
    }
}

}  // namespace qv::shell
