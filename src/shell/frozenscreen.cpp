#include "shell/frozenscreen.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>

#include "output/windows.h"
#include "platform/services.h"
#include "shell/formkit.h"
#include "shell/windows.h"
#include "shell/program.h"

namespace qv::shell {

FrozenScreen::FrozenScreen()
    : Picture1(new FrozenCanvas(this)),
      Shape1(Picture1->addShape(CanvasItem::Role::Band)),
      Label1(Picture1->addLabel(CanvasItem::Role::Caption)),
      Label2(Picture1->addLabel(CanvasItem::Role::Caption)),
      Label3(Picture1->addLabel(CanvasItem::Role::Caption)),
      Timer1(platform::clock().createTimer()) {
    setWindowTitle(QStringLiteral("Frozen Screen"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    const QColor tipBack = QApplication::palette().color(QPalette::ToolTipBase);
    Label2->setFont(boldArial(9.75));
    Label2->setBackColor(tipBack);
    Label2->setCaption(QStringLiteral("............"));
    Label3->setForeColor(Qt::red);
    Label3->setBackColor(tipBack);
    Label3->setCaption(QStringLiteral("      Please wait !      "));
    Timer1->onTimeout = [this] { Timer1_Timer(); };
    QFont readout(QStringLiteral("MS Sans Serif"));
    readout.setPointSizeF(8.25);
    readout.setBold(true);
    Label1->setFont(readout);
    Label1->setForeColor(QApplication::palette().color(QPalette::ToolTipText));
    Label1->setBackColor(tipBack);
    createobjectitems();
    Picture1->installEventFilter(this);

    auto& shell = program().shell;
    clearObjects();
    hideHoverMarks();
    Shape1->hide();
    shell.areacapturerunning = false;
    shell.captureavailable = false;
    Label1->hide();
    Label2->hide();
    Label3->hide();
    shell.dragstart = shell.dragend = shell.draglast = QPoint(0, 0);
    shell.circleradius = 0;
    Timer1->stop();
    setAreaCursor();
}

FrozenScreen::~FrozenScreen() = default;

void FrozenScreen::load() {
    // Asking loads the save dialog, hidden, when it is not there yet.
    if (program().outputWindows().saveDialog->isVisible())
        program().shell.dialogopen = false;
}

void FrozenScreen::setSizeTwips(double width, double height) {
    widthTwips_ = width;
    heightTwips_ = height;
}

void FrozenScreen::showActive() {
    // The window covers its whole picture, the screen: a strip of the live screen left
    // uncovered below a frozen one would mislead, however short the nominal height is.
    setGeometry(QRect(QPoint(0, 0), Picture1->size()));
    show();
    raise();
    activateWindow();
    // The window system activates the window later; the captures waiting in the activation
    // must be done when the freeze returns.
    QApplication::setActiveWindow(this);
}

bool FrozenScreen::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void FrozenScreen::setAreaCursor() {
    // Made once: the window system keeps one pointer per picture, and this runs at every move.
    auto& forms = program().shellWindows();
    if (program().shell.rectangularmode) {
        if (!rectanglecursor_)
            rectanglecursor_ = forms.form10->pointer();
        Picture1->setCursor(*rectanglecursor_);
    }
    if (program().shell.circularmode) {
        if (!circlecursor_)
            circlecursor_ = forms.form9->pointer();
        Picture1->setCursor(*circlecursor_);
    }
}

void FrozenScreen::Timer1_Timer() {
    QString dots = Label2->caption() + QLatin1Char('.');
    if (dots.size() > 10)
        dots = QStringLiteral(".");
    Label2->setCaption(dots);
}

}  // namespace qv::shell
