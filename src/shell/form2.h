// Stand-in until the frozen-screen window is built.
#pragma once

#include <QWidget>
#include <memory>

#include "platform/services.h"

namespace qv::shell {

class Form2 : public QWidget {
public:
    Form2() : Timer1(platform::clock().createTimer()) {}
    std::unique_ptr<platform::Timer> Timer1;  // the dots marker
};

}  // namespace qv::shell
