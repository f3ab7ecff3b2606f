#pragma once

#include <QAction>
#include <QStringList>
#include <map>
#include <memory>

#include "options/hotkeycommands.h"
#include "platform/services.h"
#include "shell/program.h"

namespace qv::options {

// The main window as the hotkey tests see it: records each command with the clock's time.
class HotkeyRecorder : public HotkeyCommands {
public:
    void mnuRelease_Click() override { record("mnuRelease_Click"); }
    void mnuFreeze_Click() override { record("mnuFreeze_Click"); }
    void mnuactivewindow_Click() override { record("mnuactivewindow_Click"); }
    void mnucapturescreen_Click() override { record("mnucapturescreen_Click"); }
    void mnuOptions_Click() override { record("mnuOptions_Click"); }
    void mnuExit_Click() override { record("mnuExit_Click"); }
    void mnuSaveToDefDir_Click() override { record("mnuSaveToDefDir_Click"); }
    void mnuSaveas_Click() override { record("mnuSaveas_Click"); }
    void mnuDefPrinter_Click() override { record("mnuDefPrinter_Click"); }
    void mnuPrint_Click() override { record("mnuPrint_Click"); }
    void mnupagesetup_Click() override { record("mnupagesetup_Click"); }
    void mnuOpenContainerApp_Click() override { record("mnuOpenContainerApp_Click"); }
    void mnucopytoclipbrd_Click() override { record("mnucopytoclipbrd_Click"); }
    void mnuemail_Click() override { record("mnuemail_Click"); }
    void UpdateClipboardMenus() override { record("UpdateClipboardMenus"); }
    void popupContextMenu() override {
        record("popupContextMenu");
        popupFlag = program().shell.contextpopup;
    }
    bool frozenScreenShown() override { return frozenShown; }
    void setTargetWindow(platform::WindowId window) override { target = window; }
    QAction* menuItem(MenuItem item) override {
        auto& action = items[item];
        if (!action)
            action = std::make_unique<QAction>(QStringLiteral("untouched"));
        return action.get();
    }
    QString caption(MenuItem item) { return menuItem(item)->text(); }

    QStringList calls;
    std::vector<qint64> times;
    bool frozenShown = false;
    bool popupFlag = false;  // contextpopup while the menu was up
    platform::WindowId target = 0;
    std::map<MenuItem, std::unique_ptr<QAction>> items;

private:
    void record(const char* name) {
        calls << QString::fromLatin1(name);
        times.push_back(platform::clock().steadyMs());
    }
};

}  // namespace qv::options
