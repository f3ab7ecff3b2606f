#pragma once

#include <QString>

namespace qv::platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing and returns at once; a missing file or device plays nothing.
    virtual void play(const QString& wavPath) = 0;
};

}  // namespace qv::platform
