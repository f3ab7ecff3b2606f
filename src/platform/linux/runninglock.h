#pragma once

#include "platform/instancelock.h"

namespace qv::platform {

// A kernel lock (flock) on a file in the settings folder, so that whatever else differs between
// two starts (the runtime folder of another login, a changed environment) the copies of one
// settings folder meet on it. It goes with the process, so a copy that crashed or was killed
// leaves nothing that stops the next start. What the file holds, and whatever else stands at
// its path, never decides anything; where no file can be made or opened there (a folder we may
// not write, a file in the folder's place, a link, which is never followed), the lock is taken
// on what stands at the folder's place itself, which every copy can open for reading.
class RunningLock : public InstanceLock {
public:
    explicit RunningLock(QString path);
    ~RunningLock() override;
    RunningLock(const RunningLock&) = delete;
    RunningLock& operator=(const RunningLock&) = delete;

    Outcome take() override;
    QString problem() const override { return problem_; }

    // The lock of the settings in settingsFolder.
    static QString pathFor(const QString& settingsFolder);
    // The lock of this user's settings, beside the settings file.
    static QString defaultPath();

private:
    QString path_;
    QString problem_;
    int fd_ = -1;
};

}  // namespace qv::platform
