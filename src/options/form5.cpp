// Stand-in until the Hotkeys window is built.
#include "options/form5.h"

#include <QCheckBox>

namespace qv::options {

Form5::Form5() : Check1(new QCheckBox(QStringLiteral("   &Disable Hotkeys"), this)) {
    setWindowTitle(QStringLiteral("Hotkeys"));
}

}  // namespace qv::options
