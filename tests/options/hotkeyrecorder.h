#pragma once

#include <QAction>
#include <QStringList>
#include <map>
#include <memory>

#include "options/hotkeycommands.h"
#include "platform/services.h"
#include "shell/program.h"

namespace qv::options {

// The main window as the hotkey tests see it: records every command in order, with the
// clock's time at the call.
class HotkeyRecorder : public HotkeyCommands {
public:
#define QV_RECORDS(name)   \
    void name() override { \
        record(#name);     \
    }
    QV_RECORDS(mnuRelease_Click)
    QV_RECORDS(mnuFreeze_Click)
    QV_RECORDS(mnuactivewindow_Click)
    QV_RECORDS(mnucapturescreen_Click)
    QV_RECORDS(mnuOptions_Click)
    QV_RECORDS(mnuExit_Click)
    QV_RECORDS(mnuSaveToDefDir_Click)
    QV_RECORDS(mnuSaveas_Click)
    QV_RECORDS(mnuDefPrinter_Click)
    QV_RECORDS(mnuPrint_Click)
    QV_RECORDS(mnupagesetup_Click)
    QV_RECORDS(mnuOpenContainerApp_Click)
    QV_RECORDS(mnucopytoclipbrd_Click)
    QV_RECORDS(mnuemail_Click)
    QV_RECORDS(UpdateClipboardMenus)
#undef QV_RECORDS
    void popupContextMenu() override {
        record("popupContextMenu");
        popupFlag = program().shell.contextpopup;
    }
    bool frozenScreenShown() override {
        return frozenShown;
    }
    void setTargetWindow(platform::WindowId window) override {
        target = window;
    }
    QAction* menuItem(MenuItem item) override {
        std::unique_ptr<QAction>& action = items[item];
        if (!action)
            action = std::make_unique<QAction>(QStringLiteral("untouched"));
        return action.get();
    }
    QString caption(MenuItem item) {
        return menuItem(item)->text();
    }

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
