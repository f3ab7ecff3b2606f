// Stand-in until the AutoCapture job list is built.
#pragma once

#include <QWidget>

namespace qv::autocapture {

class JobList : public QWidget {
public:
    JobList() { setWindowTitle(QStringLiteral("AutoCapture")); }
};

}  // namespace qv::autocapture
