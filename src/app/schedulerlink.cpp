#include "app/schedulerlink.h"

#include "shell/mainwindow.h"
#include "shell/windows.h"

namespace qv::app {

void SchedulerLink::forgetForegroundTitle() {
    // No main window yet: its first poll sees every title as new anyway.
    if (shell::MainWindow* mainWindow = shell::windows().mainWindow.peek())
        mainWindow->forgetForegroundTitle();
}

void SchedulerLink::jobTableChanged() {
    // No main window yet: its start-up reads the table and starts the poll as it needs.
    if (shell::MainWindow* mainWindow = shell::windows().mainWindow.peek())
        mainWindow->pollWhileJobsMayFire();
}

}  // namespace qv::app
