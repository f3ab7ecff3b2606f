#pragma once

#include "options/otherwindows.h"

namespace qv::app {

// The Options window's way to the default page setup and to the windows of printing and
// AutoCapture, which sit above it.
class OtherWindowsLink : public options::OtherWindows {
public:
    void loadDefaultPageSetup() override;
    void showDefaultPrinting(QWidget& over) override;
    void showJobList(QWidget& over) override;
};

}  // namespace qv::app
