#include "options/hotkeydispatcher.h"

#include <QAction>

#include "capture/capturestate.h"
#include "options/hotkeycommands.h"
#include "options/hotkeytable.h"
#include "options/state.h"
#include "options/windows.h"
#include "platform/dialogs.h"
#include "platform/services.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");
// The pause between the release and the new freeze when the freeze hotkey meets a frozen
// screen.
constexpr int kRefreezePause = 500;

void inform(const QString& text, const QString& title = kTitle) {
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                title);
}

void enable(HotkeyCommands& commands, MenuItem item, bool on) {
    if (QAction* action = commands.menuItem(item))
        action->setEnabled(on);
}

}  // namespace

HotkeyDispatcher::HotkeyDispatcher(HotkeyCommands& commands)
    : commands_(commands),
      pump_(platform::clock().createTimer()),
      previousCommands_(options::windows().hotkeyCommands),
      previousReceiver_(platform::hotkeys().onHotkey) {
    options::windows().hotkeyCommands = &commands_;
    platform::hotkeys().onHotkey = [this](int id) { dispatch(id); };
    pump_->onTimeout = [this] { runNext(); };
}

HotkeyDispatcher::~HotkeyDispatcher() {
    platform::hotkeys().onHotkey = previousReceiver_;
    options::windows().hotkeyCommands = previousCommands_;
}

void HotkeyDispatcher::dispatch(int id) {
    // A press while one of our dialogs is open is dropped, not kept for later: the dialog has
    // the user's attention, and a command run inside its event loop could destroy the window
    // it belongs to (Release deletes the frozen screen that owns a message box or the Save As
    // dialog) while the dialog and its caller still stand on it.
    if (platform::Dialogs::anyOpen())
        return;
    if (options::state().hotkeysDisabled || id < kFirstHotkeyId || id > kLastHotkeyId)
        return;
    // The waits of a command let posted events through, and a press is one. Run there, a
    // command would run in the middle of another: a release inside a freeze's wait, and the
    // freeze then shows a frozen screen the release has thrown away. So a press waits until
    // the command before it has ended, and the presses run in the order they came.
    waiting_.push_back(id);
    runNext();
}

void HotkeyDispatcher::runNext() {
    if (running_) {
        // The command's end passes the turn on.
        pump_->stop();
        return;
    }
    // A command that did not come from a hotkey is waiting. The pump tries again; the waits
    // that take their time run no timer, so it comes back once they are over.
    if (platform::Clock::waiting()) {
        pump_->start(0);
        return;
    }
    // A turn that comes while a dialog of ours is open is lost, as a press made then is.
    if (platform::Dialogs::anyOpen())
        waiting_.clear();
    if (waiting_.empty()) {
        pump_->stop();
        return;
    }

    const int id = waiting_.front();
    waiting_.pop_front();
    running_ = true;
    runCommand(id);
    running_ = false;
    // The next one runs on the next turn of the event loop, once what this command let go
    // (a frozen screen released) is gone.
    if (waiting_.empty())
        pump_->stop();
    else
        pump_->start(0);
}

void HotkeyDispatcher::runCommand(int id) {
    const capture::State& captureState = capture::state();
    // Output commands that need a capture on the frozen screen, and their refusal.
    const auto onFrozenCapture = [&](void (HotkeyCommands::*command)(), const char* refusal) {
        if (commands_.frozenScreenShown() && capture::state().freeze.captureAvailable)
            (commands_.*command)();
        else
            inform(QString::fromLatin1(refusal));
    };
    // Output commands that need only a capture.
    const auto onCapture = [&](void (HotkeyCommands::*command)()) {
        if (capture::state().freeze.captureAvailable)
            (commands_.*command)();
        else
            inform(QStringLiteral("please Mark an Area for Capturing"));
    };
    const char* const kMarkArea = "Please Mark an Area for Capturing !  ";

    switch (id - kFirstHotkeyId) {
        case RowRelease:
            commands_.releaseDesktop();
            break;
        case RowFreeze:
            if (captureState.freeze.desktopFrozen) {
                commands_.releaseDesktop();
                platform::clock().sleep(kRefreezePause);
            }
            commands_.freezeDesktop();
            break;
        case RowActiveWindow:
            commands_.setTargetWindow(platform::desktop().foregroundWindow());
            if (!commands_.frozenScreenShown())
                commands_.captureActiveWindow();
            break;
        case RowEntireScreen:
            if (!commands_.frozenScreenShown())
                commands_.captureEntireScreen();
            break;
        case RowOptions:
            commands_.showOptions();
            break;
        case RowExit:
            commands_.exitProgram();
            break;
        case RowSaveToDefaultFolder:
            onFrozenCapture(&HotkeyCommands::saveToDefaultFolder,
                            "Please Mark an Area for Capturing !   ");
            break;
        case RowSaveAs:
            onFrozenCapture(&HotkeyCommands::saveAs, kMarkArea);
            break;
        case RowDefaultPrinter:
            onFrozenCapture(&HotkeyCommands::printToDefaultPrinter, kMarkArea);
            break;
        case RowPrint:
            onFrozenCapture(&HotkeyCommands::printCapture, kMarkArea);
            break;
        case RowPageSetup:
            if (commands_.frozenScreenShown())
                commands_.showPageSetup();
            else
                inform(QStringLiteral("Only available if screen is frozen !"),
                       QStringLiteral("Quorvalline"));
            break;
        case RowPastingApp:
            onFrozenCapture(&HotkeyCommands::startPastingApplication, kMarkArea);
            break;
        case RowCopy:
            onCapture(&HotkeyCommands::copyToClipboard);
            break;
        case RowEmail:
            onCapture(&HotkeyCommands::sendByEmail);
            break;
        case RowContextMenu:
            popUpContextMenuForHotkey();
            break;
    }
}

void HotkeyDispatcher::popUpContextMenuForHotkey() {
    capture::State& captureState = capture::state();
    captureState.contextMenuFromHotkey = true;
    captureState.freeze.dialogOpen = false;
    commands_.updateClipboardMenus();
    const bool frozen = captureState.freeze.desktopFrozen;
    if (!frozen)
        enable(commands_, MenuItem::Paste, false);
    enable(commands_, MenuItem::AddObject, frozen);
    enable(commands_, MenuItem::ContextRelease, frozen);
    enable(commands_, MenuItem::CircleMode, true);
    enable(commands_, MenuItem::RectangleMode, true);
    commands_.popUpContextMenu();
    captureState.contextMenuFromHotkey = false;
    // Greyed only while this menu showed over a desktop that was not frozen: whatever
    // freezes it later must leave the way out.
    enable(commands_, MenuItem::ContextRelease, true);
}

}  // namespace qv::options
