// Stand-in until the Shape Options window is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class ShapeOptionsDialog : public QWidget {
public:
    ShapeOptionsDialog() { setWindowTitle(QStringLiteral("Shape Options")); }
};

}  // namespace qv::objects
