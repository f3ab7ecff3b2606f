#include "app/schedulerlink.h"

#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::app {

void SchedulerLink::forgetForegroundTitle() {
    // No main window yet: its first poll sees every title as new anyway.
    if (shell::MainWindow* mainWindow = shell::windows().mainWindow.peek())
        mainWindow->forgetForegroundTitle();
}

}  // namespace qv::app
