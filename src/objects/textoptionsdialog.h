// Stand-in until the Text Options window is built.
#pragma once

#include <QWidget>

namespace qv::objects {

// A tool window over the frozen screen; the capture and release commands only hide it.
class TextOptionsDialog : public QWidget {
public:
    TextOptionsDialog() { setWindowTitle(QStringLiteral("Text Options")); }
};

}  // namespace qv::objects
