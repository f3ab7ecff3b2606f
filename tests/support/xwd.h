#pragma once

#include <QImage>
#include <QString>

namespace qv::testsupport {

// The root window as `xwd -root` reads it on the current DISPLAY, for comparing our grabs
// with an independent reader. A null image when xwd fails or the depth is not true colour.
QImage xwdRoot();
// One window (its id in decimal or 0x hex) as `xwd -id` reads it, likewise.
QImage xwdWindow(const QString& windowId);

}  // namespace qv::testsupport
