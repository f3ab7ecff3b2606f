#pragma once

#include <QString>

namespace qv::platform {

// Tells whether this is the only copy of the program for its settings: a second copy would
// fight the first over the tray, the hotkeys and the settings file.
class InstanceLock {
public:
    enum class Outcome {
        Taken,          // this copy holds it until it ends, however it ends
        HeldElsewhere,  // another copy that is still alive holds it
        Unavailable,    // it could not be taken at all (see problem())
    };

    virtual ~InstanceLock() = default;
    virtual Outcome take() = 0;
    // Why it was Unavailable: where it was tried and what the system said.
    virtual QString problem() const = 0;
};

}  // namespace qv::platform
