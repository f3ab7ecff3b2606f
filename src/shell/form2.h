// Stand-in until the frozen-screen window is built.
#pragma once

#include <QLabel>
#include <QWidget>
#include <memory>

#include "platform/services.h"

namespace qv::shell {

class Form2 : public QWidget {
public:
    Form2() : Picture1(new QLabel(this)), Timer1(platform::clock().createTimer()) {}
    QLabel* Picture1;                         // the frozen picture
    std::unique_ptr<platform::Timer> Timer1;  // the dots marker
};

}  // namespace qv::shell
