// Stand-in until the Objects palette is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class Form16 : public QWidget {
public:
    Form16() { setWindowTitle(QStringLiteral("Objects")); }
};

}  // namespace qv::objects
