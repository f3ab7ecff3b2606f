#pragma once

#include "platform/instancelock.h"
#include "platform/linux/descriptor.h"

namespace qv::platform {

// A kernel lock (flock) on the settings folder itself, so that whatever else differs between
// two starts (the runtime folder of another login, a changed environment) the copies of one
// settings folder meet on it, and nothing done to a file in it (the lock file removed or a
// link put in its place) lets a second copy in. It goes with the process, so a copy that
// crashed or was killed leaves nothing that stops the next start. The lock file in the folder
// is locked as well, for older copies that look there and on file systems that cannot lock a
// folder, and names the process that holds it; it is never followed through a link. Where a
// file stands in the folder's place, the lock is taken on it, opened for reading only. A
// settings folder that is, or lies under, a link of another user's or one to another user's
// folder is theirs: no lock is taken there and the start is told why.
class RunningLock : public InstanceLock {
public:
    explicit RunningLock(QString path);

    Outcome take() override;
    QString problem() const override { return problem_; }

    // The lock of the settings in settingsFolder.
    static QString pathFor(const QString& settingsFolder);
    // The lock of this user's settings, beside the settings file.
    static QString defaultPath();

private:
    QString path_;
    QString problem_;
    Descriptor folder_;
    Descriptor file_;
    bool taken_ = false;
};

}  // namespace qv::platform
