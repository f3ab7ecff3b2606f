// The activation of the frozen screen and the two one-step captures it serves.
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <limits>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "options/settings.h"
#include "platform/services.h"
#include "shell/frozenscreen.h"
#include "shell/program.h"
#include "shell/windows.h"
#include "toolkit/colors.h"
#include "toolkit/twips.h"
#include "toolkit/vbmath.h"

namespace qv::shell {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");

// The window named by the target window text; 0 when the text names none.
platform::WindowId targetWindow(const QString& text) {
    const double number = toolkit::roundHalfEven(toolkit::val(text));
    if (number <= 0 || number > std::numeric_limits<quint32>::max())
        return 0;
    return platform::WindowId(number);
}

}  // namespace

double FrozenScreen::twipsX() {
    return toolkit::twipsPerPixel(platform::desktop().logicalDpiX());
}

double FrozenScreen::twipsY() {
    return toolkit::twipsPerPixel(platform::desktop().logicalDpiY());
}

void FrozenScreen::Form_Activate() {
    // A message box or menu closing inside the activation hands the activation back; the
    // captures in progress must not run a second time.
    if (activating_)
        return;
    QScopedValueRollback<bool> busy(activating_, true);
    auto& shell = program().shell;
    auto& forms = program().shellWindows();

    shell.frozenforeground = platform::desktop().foregroundWindow();
    shell.areacapturerunning = false;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    shell.dragstart = shell.dragend = shell.draglast = QPoint(0, 0);
    if (!shell.dialogopen) {
        Picture1->clearPicture();
        if (forms.form3->Picture2->image().isNull())
            forms.form3.drop();
        Picture1->setPicture(forms.form3->Picture2->image());
        Timer1->stop();
    }
    shell.desktopfrozen = true;
    shell.dragstate = 1;

    Shape1->setBorderStyle(program().options.settings.outline == options::FrameOutline::Dotted
                               ? CanvasShape::Dot
                               : CanvasShape::Solid);

    if (shell.pendingwindow && !captureactivewindow())
        return;
    if (shell.pendingscreen)
        captureentirescreen();
}

bool FrozenScreen::captureguard() {
    auto& shell = program().shell;
    if (objectselected()) {
        shell.dragstate = 1;
        platform::clock().processEvents();
        platform::clock().sleep(300);
        return false;
    }
    if (shell.recaptured) {
        shell.dragstate = 1;
        shell.recaptured = false;
        return false;
    }
    return true;
}

void FrozenScreen::showframe(double left, double top, double width, double height) {
    Shape1->setShape(CanvasShape::Rectangle);
    Shape1->setBorderColor(toolkit::colorFromValue(program().options.settings.frameColor));
    Shape1->setGeometry(left, top, width, height);
    Shape1->show();
    // Single precision, as the objects that will be placed there expect.
    const float w = float(width);
    const float h = float(height);
    program().objects.newobjectpos = QPointF(float(left) + w - w / 2.0f, float(top) + h - h / 2.0f);
}

bool FrozenScreen::captureactivewindow() {
    if (!captureguard())
        return false;
    auto& shell = program().shell;
    const bool silent = program().autocapture.autocapturerunning;
    shell.captureavailable = true;

    auto& desktop = platform::desktop();
    Form3& form3 = program().shellWindows().form3.get();
    const platform::WindowId target = targetWindow(form3.Text1->text());
    const QImage& snapshot = Picture1->picture();
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
        shell.pendingwindow = false;
        shell.captureavailable = false;
        if (!silent) {
            platform::dialogs().message(failure, platform::MsgButtons::Ok,
                                        platform::MsgIcon::Information, kTitle, this);
        }
        return false;
    }

    const double tx = twipsX();
    const double ty = twipsY();
    const int left = toolkit::toInt(frame.left() * tx);
    const int right = toolkit::toInt((frame.left() + frame.width()) * tx);
    const int top = toolkit::toInt(frame.top() * ty);
    const int bottom = toolkit::toInt((frame.top() + frame.height()) * ty);
    showframe(left - 10, top - 10, std::abs(right - left) + 25, std::abs(bottom - top) + 25);
    shell.bandx1 = left;
    shell.bandx2 = right;
    shell.bandy1 = top;
    shell.bandy2 = bottom;
    // The window exactly as the snapshot shows it, pixel for pixel.
    form3.Picture1->setImage(snapshot.copy(frame));

    if (!silent)
        releaseAfterOneStepCapture();
    shell.pendingwindow = false;
    return true;
}

void FrozenScreen::captureentirescreen() {
    if (!captureguard())
        return;
    auto& shell = program().shell;
    shell.captureavailable = true;

    const QSize screen = platform::desktop().screenSize();
    const int width = toolkit::toInt(screen.width() * twipsX());
    const int height = toolkit::toInt(screen.height() * twipsY());
    showframe(10, 10, width - 10, height - 38);
    shell.bandx1 = 0;
    shell.bandx2 = width;
    shell.bandy1 = 0;
    shell.bandy2 = height;
    // The snapshot itself: the buffer shares it instead of holding a second full-screen image.
    program().shellWindows().form3->Picture1->setImage(Picture1->picture());

    if (!program().autocapture.autocapturerunning)
        releaseAfterOneStepCapture();
    shell.pendingscreen = false;
}

}  // namespace qv::shell
