// Stand-in until the AutoCapture job list is built.
#pragma once

#include <QWidget>

namespace qv::autocapture {

class Form20 : public QWidget {
public:
    Form20() { setWindowTitle(QStringLiteral("AutoCapture")); }
};

}  // namespace qv::autocapture
