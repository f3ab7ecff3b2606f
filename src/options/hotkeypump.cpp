#include "options/hotkeypump.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>

#include "options/forms.h"
#include "options/hotkeycommands.h"
#include "options/hotkeytable.h"
#include "platform/services.h"
#include "shell/program.h"

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

HotkeyPump::HotkeyPump(HotkeyCommands& commands)
    : commands_(commands),
      previousCommands_(program().optionsForms().hotkeyCommands),
      previousReceiver_(platform::hotkeys().onHotkey) {
    program().optionsForms().hotkeyCommands = &commands_;
    platform::hotkeys().onHotkey = [this](int id) { Timer1_Timer(id); };
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

HotkeyPump::~HotkeyPump() {
    platform::hotkeys().onHotkey = previousReceiver_;
    program().optionsForms().hotkeyCommands = previousCommands_;
}

void HotkeyPump::Timer1_Timer(int id) {
    const bool acts =
        !program().options.disablehotkeys && id >= kFirstHotkeyId && id <= kLastHotkeyId;
    if (acts && !dispatch(id))
        return;
    leftButtonCheck();
}

bool HotkeyPump::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        program().shell.trayhover = false;
    }
    return QObject::eventFilter(watched, event);
}

void HotkeyPump::leftButtonCheck() {
    if (platform::desktop().leftButtonDown())
        program().shell.trayhover = false;
}

bool HotkeyPump::dispatch(int id) {
    const shell::State& shell = program().shell;
    // Output commands that need a capture on the frozen screen, and their refusal.
    const auto onFrozenCapture = [&](void (HotkeyCommands::*command)(), const char* refusal) {
        if (commands_.frozenScreenShown() && program().shell.captureavailable)
            (commands_.*command)();
        else
            inform(QString::fromLatin1(refusal));
    };
    // Output commands that need only a capture.
    const auto onCapture = [&](void (HotkeyCommands::*command)()) {
        if (program().shell.captureavailable)
            (commands_.*command)();
        else
            inform(QStringLiteral("please Mark an Area for Capturing"));
    };
    const char* const kMarkArea = "Please Mark an Area for Capturing !  ";

    switch (id - kFirstHotkeyId) {
        case RowRelease:
            commands_.mnuRelease_Click();
            break;
        case RowFreeze:
            if (shell.desktopfrozen) {
                commands_.mnuRelease_Click();
                platform::clock().sleep(kRefreezePause);
            }
            commands_.mnuFreeze_Click();
            break;
        case RowActiveWindow:
            commands_.setTargetWindow(platform::desktop().foregroundWindow());
            if (!commands_.frozenScreenShown())
                commands_.mnuactivewindow_Click();
            break;
        case RowEntireScreen:
            if (!commands_.frozenScreenShown())
                commands_.mnucapturescreen_Click();
            break;
        case RowOptions:
            commands_.mnuOptions_Click();
            break;
        case RowExit:
            commands_.mnuExit_Click();
            break;
        case RowSaveToDefDir:
            onFrozenCapture(&HotkeyCommands::mnuSaveToDefDir_Click,
                            "Please Mark an Area for Capturing !   ");
            break;
        case RowSaveAs:
            onFrozenCapture(&HotkeyCommands::mnuSaveas_Click, kMarkArea);
            break;
        case RowDefPrinter:
            onFrozenCapture(&HotkeyCommands::mnuDefPrinter_Click, kMarkArea);
            break;
        case RowPrint:
            onFrozenCapture(&HotkeyCommands::mnuPrint_Click, kMarkArea);
            break;
        case RowPageSetup:
            if (!commands_.frozenScreenShown()) {
                inform(QStringLiteral("Only available if screen is frozen !"),
                       QStringLiteral("Quorvalline"));
                return false;
            }
            commands_.mnupagesetup_Click();
            break;
        case RowContainerApp:
            onFrozenCapture(&HotkeyCommands::mnuOpenContainerApp_Click, kMarkArea);
            break;
        case RowCopy:
            onCapture(&HotkeyCommands::mnucopytoclipbrd_Click);
            break;
        case RowEmail:
            onCapture(&HotkeyCommands::mnuemail_Click);
            break;
        case RowContextMenu:
            popupContextMenu();
            break;
    }
    return true;
}

void HotkeyPump::popupContextMenu() {
    shell::State& shell = program().shell;
    shell.contextpopup = true;
    shell.dialogopen = false;
    commands_.UpdateClipboardMenus();
    const bool frozen = shell.desktopfrozen;
    if (!frozen)
        enable(commands_, MenuItem::mnupaste, false);
    enable(commands_, MenuItem::mnuaddobject, frozen);
    enable(commands_, MenuItem::mnuContextRelease, frozen);
    enable(commands_, MenuItem::mnuDraw, true);
    enable(commands_, MenuItem::mnurectangle, true);
    commands_.popupContextMenu();
    shell.contextpopup = false;
}

}  // namespace qv::options
