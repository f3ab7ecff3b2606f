// Stand-in until the capture holder is built.
#pragma once

#include <QWidget>

class QLineEdit;

namespace qv::shell {

class Form3 : public QWidget {
public:
    Form3();
    QLineEdit* Text1;  // the window "Capture Active Window" takes, as decimal text
};

}  // namespace qv::shell
