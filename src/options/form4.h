// Stand-in until the Options window is built.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

namespace qv::options {

class Form4 : public QWidget {
public:
    Form4() : Text4(new QLineEdit(this)), Check2(new QCheckBox(this)) { Text4->hide(); }
    QLineEdit* Text4;   // the name of the application for pasting
    QCheckBox* Check2;  // "Autocopy to Clipboard"
};

}  // namespace qv::options
