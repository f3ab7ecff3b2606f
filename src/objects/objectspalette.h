// Stand-in until the Objects palette is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class ObjectsPalette : public QWidget {
public:
    ObjectsPalette() { setWindowTitle(QStringLiteral("Objects")); }
};

}  // namespace qv::objects
