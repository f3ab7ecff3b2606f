#include "options/hotkeyregistration.h"

#include <QAction>
#include <QListWidget>
#include <QStringList>
#include <vector>

#include "options/hotkeycommands.h"
#include "options/state.h"
#include "options/windows.h"
#include "platform/services.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");
const QChar kCr(13);

// The items whose captions show a row's hotkey; the release row has a second one in the context
// menu, the context-menu row has none.
std::vector<MenuItem> menuItemsOf(int row) {
    static constexpr MenuItem kRowItem[] = {
        MenuItem::Release,
        MenuItem::Freeze,
        MenuItem::CaptureActiveWindow,
        MenuItem::CaptureEntireScreen,
        MenuItem::Options,
        MenuItem::Exit,
        MenuItem::SaveToDefaultFolder,
        MenuItem::SaveAs,
        MenuItem::PrintToDefaultPrinter,
        MenuItem::Print,
        MenuItem::PageSetup,
        MenuItem::PastingApplication,
        MenuItem::CopyToClipboard,
        MenuItem::Email,
    };
    if (row == RowRelease)
        return {MenuItem::Release, MenuItem::ContextRelease};
    if (row < 0 || row >= RowContextMenu)
        return {};
    return {kRowItem[row]};
}

void setCaption(int row, const std::optional<QString>& caption) {
    HotkeyCommands* commands = hotkeyCommands();
    if (!commands || !caption)
        return;
    for (MenuItem item : menuItemsOf(row)) {
        if (QAction* action = commands->menuItem(item))
            action->setText(*caption);
    }
}

// The pasting-application and copy rows read the Options window; the others need nothing of it.
std::optional<CaptionInputs> inputsFor(int row) {
    if (row == RowPastingApp || row == RowCopy)
        return captionInputs();
    return CaptionInputs{};
}

QString registrationFailure(int error, int row, const QString& hotkeyText) {
    return QStringLiteral("Error: ") + QString::number(error) +
           QStringLiteral(" Registering Hotkey:   ") + hotkeyRowName(row) + QStringLiteral("   ") +
           hotkeyText + kCr + QStringLiteral("Failed ! Hotkey already used by another program ? ") +
           kCr + kCr +
           QStringLiteral("Quorvalline  will keep running but the hotkey will not be available !");
}

// Only an edited settings file gives two rows one combination (the Hotkeys window refuses it);
// the system would refuse the second row as if another program held the combination.
QString sharedCombination(int row, int firstRow, const QString& hotkeyText) {
    return QStringLiteral("Hotkey   ") + hotkeyText + QStringLiteral("   is used by two rows:   ") +
           hotkeyRowName(firstRow) + QStringLiteral("   and   ") + hotkeyRowName(row) + kCr + kCr +
           QStringLiteral("Quorvalline  will keep running but the hotkey will only work for ") +
           hotkeyRowName(firstRow) + QStringLiteral(" !");
}

// The earlier row of texts with the same combination as row, or nothing.
std::optional<int> earlierRowWith(const QStringList& texts, int row) {
    const std::optional<ParsedHotkey> hotkey = parseHotkey(texts.at(row));
    for (int earlier = 0; hotkey && earlier < row; ++earlier) {
        const std::optional<ParsedHotkey> other = parseHotkey(texts.at(earlier));
        if (other && other->modifiers == hotkey->modifiers && other->key == hotkey->key)
            return earlier;
    }
    return std::nullopt;
}

}  // namespace

HotkeyCommands* hotkeyCommands() {
    return options::windows().hotkeyCommands;
}

void registerHotkeys() {
    QListWidget* list = options::windows().hotkeysDialog->hotkeyList;
    QStringList texts;
    for (int row = 0; row < list->count() && row < kHotkeyRows; ++row)
        texts << list->item(row)->text();
    for (int row = 0; row < texts.size(); ++row) {
        const QString& text = texts.at(row);
        const std::optional<ParsedHotkey> hotkey = parseHotkey(text);
        if (!hotkey)
            continue;
        if (const std::optional<int> first = earlierRowWith(texts, row)) {
            platform::dialogs().message(sharedCombination(row, *first, text),
                                        platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                        kTitle);
            continue;
        }
        const int error =
            platform::hotkeys().registerHotkey(hotkeyId(row), hotkey->modifiers, hotkey->key);
        if (error != 0) {
            platform::dialogs().message(registrationFailure(error, row, text),
                                        platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                        kTitle);
            continue;
        }
        showHotkeyCaption(row, text);
    }
}

void releaseHotkeys() {
    for (int row = 0; row < kHotkeyRows; ++row)
        platform::hotkeys().unregisterHotkey(hotkeyId(row));
}

std::optional<CaptionInputs> captionInputs() {
    // The settings are read by the Options window's load.
    if (!options::windows().optionsDialog.exists())
        return std::nullopt;
    const Settings& current = options::state().settings;
    CaptionInputs inputs;
    inputs.pastingAppName = current.pastingAppName;
    inputs.autoCopy = current.autoCopy;
    return inputs;
}

void showHotkeyCaption(int row, const QString& hotkeyText) {
    if (const std::optional<CaptionInputs> inputs = inputsFor(row))
        setCaption(row, menuCaption(row, hotkeyText, *inputs));
}

void showCaptionWithoutHotkey(int row) {
    if (const std::optional<CaptionInputs> inputs = inputsFor(row))
        setCaption(row, menuCaptionWithoutHotkey(row, *inputs));
}

}  // namespace qv::options
