#pragma once

#include "platform/instancelock.h"

namespace qv::platform {

// A kernel lock (flock) on a file in the runtime folder: it goes with the process, so a copy
// that crashed or was killed leaves nothing that stops the next start. What the file holds,
// and whatever else stands at its path, never decides anything.
class RunningLock : public InstanceLock {
public:
    explicit RunningLock(QString path);
    ~RunningLock() override;
    RunningLock(const RunningLock&) = delete;
    RunningLock& operator=(const RunningLock&) = delete;

    Outcome take() override;
    QString problem() const override { return problem_; }

    // The lock of the settings in settingsFolder, kept in runtimeFolder: a settings folder
    // the program cannot write still gets a lock. Empty without a runtime folder.
    static QString pathFor(const QString& settingsFolder, const QString& runtimeFolder);
    // The lock of this user's settings, in $XDG_RUNTIME_DIR (or Qt's fallback for it).
    static QString defaultPath();

private:
    QString path_;
    QString problem_;
    int fd_ = -1;
};

}  // namespace qv::platform
