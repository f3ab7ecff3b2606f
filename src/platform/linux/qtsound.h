#pragma once

#include <QObject>

#include "platform/sound.h"

namespace qv::platform {

// Plays WAV files through Qt Multimedia; silent without it or without an audio device.
class QtSound : public Sound {
public:
    void play(const QString& wavPath) override;

private:
    QObject players_;  // parent of the effects still playing
};

}  // namespace qv::platform
