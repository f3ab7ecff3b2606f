#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include "platform/windowid.h"

namespace qv::shell {

// The whole screen, by the screen size the freeze has just read.
QImage grabDesktopPicture();

// A rectangle of a window in pixels from the window's top-left corner, exactly width x
// height (black where the window reaches beyond the screen). The window system gives no
// separate client area, so client reads the same rectangle as the whole window.
QImage grabWindowPicture(platform::WindowId window, bool client, int left, int top, int width,
                         int height);

// The picture of a grabbed bitmap; a palette is kept only for an indexed bitmap (true-colour
// screens have none).
QImage bitmapToPicture(QImage bitmap, const QList<QRgb>& palette = {});

}  // namespace qv::shell
