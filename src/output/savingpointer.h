#pragma once

#include <QCursor>

namespace qv::output {

// The pointer shown while a capture is written, its hot spot where the picture's cross meets.
QCursor savingPointer();

}  // namespace qv::output
