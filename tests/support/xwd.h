#pragma once

#include <QImage>

namespace qv::testsupport {

// The root window as `xwd -root` reads it on the current DISPLAY, for comparing our grabs
// with an independent reader. A null image when xwd fails or the depth is not true colour.
QImage xwdRoot();

}  // namespace qv::testsupport
