// Stand-in until the frozen-screen window is built.
#include "shell/form2.h"

#include <QLabel>

#include "platform/services.h"

namespace qv::shell {

Form2::Form2() : Picture1(new QLabel(this)), Timer1(platform::clock().createTimer()) {
    setWindowTitle(QStringLiteral("Frozen Screen"));
}

Form2::~Form2() = default;

}  // namespace qv::shell
