// Stand-in until the capture holder is built.
#include "shell/form3.h"

#include <QLineEdit>

namespace qv::shell {

Form3::Form3() : Text1(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Quorvalline"));
}

}  // namespace qv::shell
