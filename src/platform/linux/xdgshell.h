#pragma once

#include "platform/linux/launcher.h"
#include "platform/linux/x11windows.h"
#include "platform/shell.h"

namespace qv::platform {

// Documents and URLs open through xdg-open, programs start directly with their argument
// list; no command line ever passes through a shell.
class XdgShell : public Shell {
public:
    explicit XdgShell(int settleMs = 2000);
    int open(const QString& target) override;
    int start(const QString& program, const QStringList& arguments) override;
    bool restoreWindow(WindowId window) override;
    WindowId startedWindow() const override;
    qint64 windowProcess(WindowId window) const override;

    // The result code for an exit code of xdg-open.
    static int resultForExitCode(int exitCode);
    // The result code for a local path that cannot be opened, or LaunchOk when it can.
    static int checkLocalPath(const QString& path);

private:
    Launcher launcher_;
    x11::X11Windows windows_;
    qint64 startedPid_ = 0;
};

}  // namespace qv::platform
