#pragma once

#include <QImage>

#include "platform/windowid.h"

namespace qv::shell {

// The whole screen, by the screen size the freeze has just read.
QImage grabDesktopPicture();

// A rectangle of a window in pixels from the window's top-left corner, exactly width x
// height (black where the window reaches beyond the screen).
QImage grabWindowPicture(platform::WindowId window, int left, int top, int width, int height);

}  // namespace qv::shell
