#pragma once

#include "platform/windowid.h"

class QAction;

namespace qv::options {

// The menu items of the main window that the hotkeys touch: those whose captions show a
// hotkey, and those the context-menu hotkey enables before it pops the menu up.
enum class MenuItem {
    Release,
    ContextRelease,
    Freeze,
    CaptureActiveWindow,
    CaptureEntireScreen,
    Options,
    Exit,
    SaveToDefaultFolder,
    SaveAs,
    PrintToDefaultPrinter,
    Print,
    PageSetup,
    PastingApplication,
    CopyToClipboard,
    Email,
    Paste,
    AddObject,
    CircleMode,
    RectangleMode,
};

// The main window as the hotkeys see it: its menu commands, its menu items and the few
// facts of the shell the dispatch needs. The main window implements it and attaches itself
// through a HotkeyDispatcher; the hotkey code never depends on the main window's class.
class HotkeyCommands {
public:
    virtual ~HotkeyCommands() = default;

    virtual void releaseDesktop() = 0;
    virtual void freezeDesktop() = 0;
    virtual void captureActiveWindow() = 0;
    virtual void captureEntireScreen() = 0;
    virtual void showOptions() = 0;
    virtual void exitProgram() = 0;
    virtual void saveToDefaultFolder() = 0;
    virtual void saveAs() = 0;
    virtual void printToDefaultPrinter() = 0;
    virtual void printCapture() = 0;
    virtual void showPageSetup() = 0;
    virtual void startPastingApplication() = 0;
    virtual void copyToClipboard() = 0;
    virtual void sendByEmail() = 0;

    // Enables the paste item by the clipboard's content and the output items by whether a
    // capture exists.
    virtual void updateClipboardMenus() = 0;
    // Whether the frozen-screen window is shown now (a dropped one is not).
    virtual bool frozenScreenShown() = 0;
    // Makes window the target of "Capture Active Window".
    virtual void setTargetWindow(platform::WindowId window) = 0;
    // Pops the context menu up at the pointer with "Release Desktop" as its default item and
    // returns when it has closed, after the chosen command has run.
    virtual void popUpContextMenu() = 0;
    // The item, or null when the main window has none.
    virtual QAction* menuItem(MenuItem item) = 0;
};

}  // namespace qv::options
