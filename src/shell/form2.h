// Stand-in until the frozen-screen window is built.
#pragma once

#include <QWidget>
#include <memory>

#include "platform/clock.h"

class QLabel;

namespace qv::shell {

class Form2 : public QWidget {
public:
    Form2();
    ~Form2() override;
    QLabel* Picture1;
    std::unique_ptr<platform::Timer> Timer1;
};

}  // namespace qv::shell
