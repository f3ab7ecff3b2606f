// Marking an area on the frozen picture with the mouse: the drag, the band, the size readout,
// the right-click, and the hover tests every press and move runs first.
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>

#include "platform/services.h"
#include "shell/clipboardclass.h"
#include "shell/frozenscreen.h"
#include "shell/hovertests.h"
#include "shell/program.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/vbmath.h"

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

}  // namespace

bool FrozenScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Picture1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            // Event positions are logical pixels; the picture is laid out in device pixels.
            const qreal ratio = Picture1->devicePixelRatioF();
            const auto& shell = program().shell;
            const QPointF at(mouse->position().x() * ratio * shell.twipsperpixelx,
                             mouse->position().y() * ratio * shell.twipsperpixely);
            if (event->type() == QEvent::MouseMove)
                Picture1_MouseMove(at);
            else if (event->type() == QEvent::MouseButtonRelease)
                Picture1_MouseUp(mouse->button());
            else
                Picture1_MouseDown(mouse->button(), at);
            return false;
        }
        default:
            return false;
    }
}

QPointF FrozenScreen::pointertwips() const {
    const auto& shell = program().shell;
    const qreal ratio = Picture1->devicePixelRatioF();
    const QPointF origin = QPointF(Picture1->mapToGlobal(QPoint(0, 0))) * ratio;
    const QPoint cursor = platform::desktop().cursorPos();
    return {(cursor.x() - origin.x()) * shell.twipsperpixelx,
            (cursor.y() - origin.y()) * shell.twipsperpixely};
}

QSizeF FrozenScreen::picturetwips() const {
    const auto& shell = program().shell;
    const QSize pixels = Picture1->size() * Picture1->devicePixelRatioF();
    return {pixels.width() * shell.twipsperpixelx, pixels.height() * shell.twipsperpixely};
}

void FrozenScreen::hittests() {
    const QPointF at = pointertwips();
    auto& objects = program().objects;
    const auto& shell = program().shell;
    if (!objects.shapeoptionsopen) {
        const int shape = hover::shapeAt(Shape2, at);
        if (shape >= 0) {
            objects.currentshape = qint16(shape);
            Label5->setGeometry(Shape2[shape]->geometry().x(), Shape2[shape]->geometry().y(),
                                Shape2[shape]->width(), Shape2[shape]->height());
            Label5->show();
        }
    }
    if (!objects.lineoptionsopen) {
        const int index = hover::lineAt(Line1, at, shell.twipsperpixelx, shell.twipsperpixely);
        if (index >= 0) {
            objects.currentline = qint16(index);
            const CanvasLine& line = *Line1[index];
            const QPointF centres[] = {
                {line.x1(), line.y1()}, hover::midpoint(line), {line.x2(), line.y2()}};
            for (size_t i = 0; i < Label6.size() && i < 3; ++i) {
                CanvasLabel* grab = Label6[i];
                grab->move(centres[i].x() - grab->width() / 2, centres[i].y() - grab->height() / 2);
            }
            for (CanvasLabel* grab : Label6)
                grab->show();
        }
    }
}

void FrozenScreen::Picture1_MouseDown(Qt::MouseButton button, QPointF at) {
    auto& shell = program().shell;
    auto& objects = program().objects;
    objects.shapeselected = false;
    objects.imageselected = false;
    hittests();
    shell.trayhover = false;

    if (button == Qt::RightButton) {
        Picture1_RightClick(at);
        return;
    }
    // Only the left button marks areas: a drag that nothing would capture must not start.
    if (button != Qt::LeftButton)
        return;
    hideHoverMarks();
    objects.objectsdeleted = false;
    Timer1->stop();
    if (shell.pendingwindow || shell.pendingscreen || shell.dialogopen) {
        Picture1->setPicture(program().shellWindows().form3->Picture2->image());
        shell.pendingwindow = shell.pendingscreen = shell.dialogopen = false;
    }
    if (shell.circularmode || shell.rectangularmode) {
        shell.dragstart = shell.dragend = shell.draglast = QPoint(0, 0);
        shell.circleradius = 0;
        Shape1->hide();
        Shape1->setGeometry(0, 0, 1, 1);
    }
    // A new drag starts even while the last one is still under way: its mouse-up was lost.
    startdrag(at);
}

void FrozenScreen::startdrag(QPointF at) {
    auto& shell = program().shell;
    Label1->hide();
    Label2->hide();
    shell.dragstart = shell.dragend = shell.draglast = roundedTwips(at);
    shell.dragstate = 2;
}

void FrozenScreen::Picture1_RightClick(QPointF at) {
    auto& shell = program().shell;
    auto& objects = program().objects;
    shell.rightclickpos = QPointF(float(at.x()), float(at.y()));
    shell.dragstate = 1;
    Module2::updateClipboardMenus();
    const QPointer<FrozenScreen> alive(this);
    if (objects.objectsdeleted || objectselected()) {
        hideHoverMarks();
        platform::clock().processEvents();
        platform::clock().sleep(300);
        captureBandAgain();
        objects.objectsdeleted = false;
        // The capture's own actions may have released the desktop meanwhile.
        if (!alive || !stillfrozen())
            return;
    }
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    if (objects.objectsadded) {
        mainWindow.circleModeItem->setEnabled(true);
        mainWindow.rectangleModeItem->setEnabled(true);
    }
    popupcontext();
}

void FrozenScreen::popupcontext() {
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    mainWindow.contextMenu->setDefaultAction(mainWindow.contextReleaseItem);
    mainWindow.contextMenu->exec(platform::desktop().cursorPos());
}

void FrozenScreen::Picture1_MouseMove(QPointF at) {
    auto& shell = program().shell;
    hittests();
    setAreaCursor();
    if (shell.dragstate != 2)
        return;
    shell.dragend = shell.draglast;
    drawband();
    shell.bandx1 = shell.dragstart.x();
    shell.bandx2 = shell.dragend.x();
    shell.bandy1 = shell.dragstart.y();
    shell.bandy2 = shell.dragend.y();
    // The band reaches the previous position; the readout shows this one.
    shell.dragend = roundedTwips(at);
    shell.draglast = shell.dragend;
    showsize();
    shell.recaptured = false;
    program().objects.objectsdeleted = false;
}

void FrozenScreen::drawband() {
    auto& shell = program().shell;
    const QPoint start = shell.dragstart;
    const QPoint end = shell.dragend;
    const QColor color = toolkit::colorFromValue(program().options.settings.frameColor);
    if (shell.rectangularmode) {
        Shape1->setShape(CanvasShape::Rectangle);
        Shape1->setBorderColor(color);
        Shape1->show();
        if (start.x() != end.x() && start.y() != end.y()) {
            Shape1->setGeometry(std::min(start.x(), end.x()), std::min(start.y(), end.y()),
                                std::abs(end.x() - start.x()), std::abs(end.y() - start.y()));
        }
    }
    if (shell.circularmode) {
        double& r = shell.circleradius;
        // The vertical distance decides; the horizontal one only on the anchor's row.
        if (end.x() != start.x())
            r = 1.6 * std::abs(end.x() - start.x());
        if (end.y() != start.y())
            r = 1.6 * std::abs(end.y() - start.y());
        // The circle stays on the picture, each edge tested with the radius the last left.
        const QSizeF picture = picturetwips();
        if (start.x() + r >= picture.width())
            r = picture.width() - start.x();
        if (start.y() + r >= picture.height())
            r = picture.height() - start.y();
        if (start.x() - r <= 0)
            r = start.x();
        if (start.y() - r <= 0)
            r = start.y();
        Shape1->setShape(CanvasShape::Circle);
        Shape1->setBorderColor(color);
        Shape1->show();
        Shape1->setGeometry(start.x() - r, start.y() - r, 2 * r, 2 * r);
    }
}

void FrozenScreen::showsize() {
    const auto& shell = program().shell;
    if (!(Shape1->left() > 1 && Shape1->top() > 1))
        return;
    Label1->move(Shape1->left() + Shape1->width(), Shape1->top() + Shape1->height());
    if (program().options.settings.showCurrentSize)
        Label1->show();
    if (shell.rectangularmode) {
        const double w = std::abs(shell.dragend.x() - shell.dragstart.x()) / shell.twipsperpixelx;
        const double h = std::abs(shell.dragend.y() - shell.dragstart.y()) / shell.twipsperpixely;
        Label1->setCaption(QStringLiteral(" Size: ") + readoutNumber(w) + QStringLiteral(" X ") +
                           readoutNumber(h) + QStringLiteral(" pixels "));
    } else if (shell.circularmode) {
        const double d = 2 * shell.circleradius / shell.twipsperpixelx;
        Label1->setCaption(QStringLiteral(" Diameter: ") + readoutNumber(d) +
                           QStringLiteral(" pixels "));
    }
}

}  // namespace qv::shell
