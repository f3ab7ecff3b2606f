// Stand-in until the Hotkeys window is built.
#pragma once

#include <QWidget>

class QCheckBox;

namespace qv::options {

class Form5 : public QWidget {
public:
    Form5();
    QCheckBox* Check1;  // "   &Disable Hotkeys"
};

}  // namespace qv::options
