// Stand-in until the Line Options window is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class LineOptionsDialog : public QWidget {
public:
    LineOptionsDialog() { setWindowTitle(QStringLiteral("Line Options")); }
};

}  // namespace qv::objects
