// Stand-in until the Options window is built.
#pragma once

#include <QWidget>

class QCheckBox;

namespace qv::options {

class Form4 : public QWidget {
public:
    Form4();
    QCheckBox* Check2;  // "Autocopy to Clipboard"
    QCheckBox* Check3;  // "Release Desktop after Capture"
    QCheckBox* Check6;  // "Start Quorvalline Automatically with Windows"
};

}  // namespace qv::options
