#pragma once

#include <QLineEdit>
#include <QWidget>

#include "shell/picturebox.h"

namespace qv::shell {

// Never shown: holds the capture buffer, the desktop snapshot and the target window.
class Form3 : public QWidget {
public:
    Form3();

    PictureBox* Picture1;  // the capture buffer
    PictureBox* Picture2;  // the desktop snapshot of the freeze
    QLineEdit* Text1;      // the window "Capture Active Window" takes, as decimal text
};

}  // namespace qv::shell
