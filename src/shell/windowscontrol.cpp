#include "shell/windowscontrol.h"

#include "shell/windows.h"

namespace qv::shell {

QWidget* WindowsControl::frozenScreenIfExists() {
    return windows().frozenScreen.peek();
}

QWidget& WindowsControl::frozenScreen() {
    return windows().frozenScreen.get();
}

void WindowsControl::showFrozenScreenAgain() {
    windows().frozenScreen->showAndActivate();
}

void WindowsControl::stopCaptureMarker() {
    if (FrozenScreen* frozen = windows().frozenScreen.peek())
        frozen->markerTimer->stop();
}

void WindowsControl::setFrozenScreenPointer(const QCursor& pointer) {
    windows().frozenScreen->canvas->setCursor(pointer);
}

void WindowsControl::restoreAreaPointer() {
    if (FrozenScreen* frozen = windows().frozenScreen.peek())
        frozen->setAreaCursor();
}

void WindowsControl::releaseDesktop() {
    windows().mainWindow->resetAfterRelease();
}

void WindowsControl::hideMainWindow() {
    windows().mainWindow->hideToTray();
}

void WindowsControl::updateMainMenuPictures() {
    if (MainWindow* mainWindow = windows().mainWindow.peek())
        mainWindow->updateMenuPictures();
}

}  // namespace qv::shell
