// Stand-in until the Line Options window is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class Form19 : public QWidget {
public:
    Form19() { setWindowTitle(QStringLiteral("Line Options")); }
};

}  // namespace qv::objects
