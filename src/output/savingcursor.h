#pragma once

#include <QCursor>

namespace qv::output::cursors {

// The pointer shown while a capture is written, its hot spot where the picture's cross meets.
QCursor saving();

}  // namespace qv::output::cursors
