#pragma once

#include "toolkit/installed.h"

class QWidget;

namespace qv::options {

// What the Options window reaches of the subsystems above it: the default page setup that its
// load brings in, and the windows its buttons open. The program wires it up at start.
class OtherWindows {
public:
    virtual ~OtherWindows() = default;

    virtual void loadDefaultPageSetup() = 0;
    virtual void showDefaultPrinting(QWidget& over) = 0;
    virtual void showJobList(QWidget& over) = 0;
};

// The wiring of the running program.
inline OtherWindows& otherWindows() {
    return toolkit::Installed<OtherWindows>::get();
}

}  // namespace qv::options
