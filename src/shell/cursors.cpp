#include "shell/cursors.h"

#include <QIcon>
#include <QPixmap>

#include "shell/windowdesign.h"

namespace qv::shell::cursors {

namespace {

constexpr int kSize = 32;

QCursor fromPicture(const char* name, int hotX, int hotY) {
    loadResources();
    const QIcon picture(QStringLiteral(":/shell/cursors/%1.svg").arg(QLatin1String(name)));
    return QCursor(picture.pixmap(kSize, kSize), hotX, hotY);
}

// The area and state pointers have their hot spot where the pictures' crosses meet.
constexpr int kCross = 15;

}  // namespace

QCursor rectangleMode() {
    return fromPicture("rectangle", kCross, kCross);
}

QCursor circleMode() {
    return fromPicture("circle", kCross, kCross);
}

QCursor copied() {
    return fromPicture("clipboard", kCross, kCross);
}

QCursor link() {
    // The tip of the hand's finger.
    return fromPicture("hand", 9, 3);
}

}  // namespace qv::shell::cursors
