#pragma once

#include "platform/windowid.h"

class QAction;

namespace qv::options {

// The menu items of the main window that the hotkeys touch: those whose captions show a
// hotkey, and those the context-menu hotkey enables before it pops the menu up.
enum class MenuItem {
    mnuRelease,
    mnuContextRelease,
    mnuFreeze,
    mnuactivewindow,
    mnucapturescreen,
    mnuOptions,
    mnuExit,
    mnuSaveToDefDir,
    mnuSaveas,
    mnuDefPrinter,
    mnuPrint,
    mnupagesetup,
    mnuOpenContainerApp,
    mnucopytoclipbrd,
    mnuemail,
    mnupaste,
    mnuaddobject,
    mnuDraw,
    mnurectangle,
};

// The main window as the hotkeys see it: its menu commands, its menu items and the few
// facts of the shell the dispatch needs. The main window implements it and attaches itself
// through a HotkeyPump; the hotkey code never depends on the main window's class.
class HotkeyCommands {
public:
    virtual ~HotkeyCommands() = default;

    virtual void mnuRelease_Click() = 0;
    virtual void mnuFreeze_Click() = 0;
    virtual void mnuactivewindow_Click() = 0;
    virtual void mnucapturescreen_Click() = 0;
    virtual void mnuOptions_Click() = 0;
    virtual void mnuExit_Click() = 0;
    virtual void mnuSaveToDefDir_Click() = 0;
    virtual void mnuSaveas_Click() = 0;
    virtual void mnuDefPrinter_Click() = 0;
    virtual void mnuPrint_Click() = 0;
    virtual void mnupagesetup_Click() = 0;
    virtual void mnuOpenContainerApp_Click() = 0;
    virtual void mnucopytoclipbrd_Click() = 0;
    virtual void mnuemail_Click() = 0;

    // Enables the paste item by the clipboard's content and the output items by whether a
    // capture exists.
    virtual void UpdateClipboardMenus() = 0;
    // Whether the frozen-screen window is shown now (a dropped one is not).
    virtual bool frozenScreenShown() = 0;
    // Makes window the target of "Capture Active Window".
    virtual void setTargetWindow(platform::WindowId window) = 0;
    // Pops the context menu up at the pointer with "Release Desktop" as its default item and
    // returns when it has closed, after the chosen command has run.
    virtual void popupContextMenu() = 0;
    // The item, or null when the main window has none.
    virtual QAction* menuItem(MenuItem item) = 0;
};

}  // namespace qv::options
