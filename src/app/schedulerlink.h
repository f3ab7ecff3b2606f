#pragma once

#include "autocapture/schedulercontrol.h"

namespace qv::app {

// The scheduler the job windows reach: it runs in the main window.
class SchedulerLink : public autocapture::SchedulerControl {
public:
    void forgetForegroundTitle() override;
    void jobTableChanged() override;
};

}  // namespace qv::app
