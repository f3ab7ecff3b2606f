#include "shell/form3.h"

namespace qv::shell {

Form3::Form3()
    : Picture1(new PictureBox(this)), Picture2(new PictureBox(this)), Text1(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Quorvalline"));
}

}  // namespace qv::shell
