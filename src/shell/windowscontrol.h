#pragma once

#include "capture/shellcontrol.h"

namespace qv::shell {

// The frozen screen and the main window as the subsystems below the shell control them.
class WindowsControl : public capture::ShellControl {
public:
    QWidget* frozenScreenIfExists() override;
    QWidget& frozenScreen() override;
    void showFrozenScreenAgain() override;
    void stopCaptureMarker() override;
    void setFrozenScreenPointer(const QCursor& pointer) override;
    void restoreAreaPointer() override;
    void releaseDesktop() override;
    void hideMainWindow() override;
    void updateMainMenuPictures() override;
};

}  // namespace qv::shell
