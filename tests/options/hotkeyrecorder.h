#pragma once

#include <QAction>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "app/program.h"
#include "capture/capturestate.h"
#include "options/hotkeycommands.h"
#include "platform/services.h"

namespace qv::options {

// The main window as the hotkey tests see it: records each command with the clock's time.
class HotkeyRecorder : public HotkeyCommands {
public:
    void releaseDesktop() override { record("releaseDesktop"); }
    void freezeDesktop() override { record("freezeDesktop"); }
    void captureActiveWindow() override { record("captureActiveWindow"); }
    void captureEntireScreen() override { record("captureEntireScreen"); }
    void showOptions() override { record("showOptions"); }
    void exitProgram() override { record("exitProgram"); }
    void saveToDefaultFolder() override { record("saveToDefaultFolder"); }
    void saveAs() override { record("saveAs"); }
    void printToDefaultPrinter() override { record("printToDefaultPrinter"); }
    void printCapture() override { record("printCapture"); }
    void showPageSetup() override { record("showPageSetup"); }
    void startPastingApplication() override { record("startPastingApplication"); }
    void copyToClipboard() override { record("copyToClipboard"); }
    void sendByEmail() override { record("sendByEmail"); }
    void updateClipboardMenus() override { record("updateClipboardMenus"); }
    void popUpContextMenu() override {
        record("popUpContextMenu");
        if (whileMenuUp)
            whileMenuUp();
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
    std::function<void()> whileMenuUp;  // runs as if the context menu were open
    platform::WindowId target = 0;
    std::map<MenuItem, std::unique_ptr<QAction>> items;

private:
    void record(const char* name) {
        calls << QString::fromLatin1(name);
        times.push_back(platform::clock().steadyMs());
    }
};

}  // namespace qv::options
