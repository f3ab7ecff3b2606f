#include "shell/screengrab.h"

#include <QPainter>

#include "capture/capturestate.h"
#include "platform/services.h"

namespace qv::shell {

QImage grabDesktopPicture() {
    const auto& captureState = capture::state();
    return grabWindowPicture(0, 0, 0, captureState.screenPixelWidth,
                             captureState.screenPixelHeight);
}

QImage grabWindowPicture(platform::WindowId window, int left, int top, int width, int height) {
    if (width <= 0 || height <= 0)
        return {};
    auto& desktop = platform::desktop();
    QPoint origin(0, 0);
    if (!desktop.isDesktop(window))
        origin = desktop.windowFrame(window).topLeft();
    const QRect wanted(origin + QPoint(left, top), QSize(width, height));
    QImage grabbed = desktop.grab(wanted);
    if (grabbed.size() == wanted.size())
        return grabbed;

    // Only part of the rectangle is on the screen: the rest stays black.
    QImage whole(wanted.size(), QImage::Format_RGB32);
    whole.fill(Qt::black);
    const QRect onScreen = wanted.intersected(QRect(QPoint(0, 0), desktop.screenSize()));
    if (!grabbed.isNull() && !onScreen.isEmpty()) {
        QPainter painter(&whole);
        painter.drawImage(onScreen.topLeft() - wanted.topLeft(), grabbed);
    }
    return whole;
}

}  // namespace qv::shell
