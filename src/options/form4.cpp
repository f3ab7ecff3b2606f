// Stand-in until the Options window is built.
#include "options/form4.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace qv::options {

Form4::Form4()
    : Check2(new QCheckBox(QStringLiteral("Autocopy to Clipboard"), this)),
      Check3(new QCheckBox(QStringLiteral("Release Desktop after Capture"), this)),
      Check6(new QCheckBox(QStringLiteral("Start Quorvalline Automatically with Windows"), this)) {
    setWindowTitle(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Check6);
    layout->addWidget(Check2);
    layout->addWidget(Check3);
}

}  // namespace qv::options
