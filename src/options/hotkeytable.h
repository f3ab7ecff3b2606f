#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qv::options {

// The hotkey table: fifteen menu commands in a fixed order, each of which may carry one
// global combination. A row's hotkey is registered under kFirstHotkeyId + row.
inline constexpr int kHotkeyRows = 15;
inline constexpr int kFirstHotkeyId = 0xB001;
inline constexpr int kLastHotkeyId = kFirstHotkeyId + kHotkeyRows - 1;

enum HotkeyRow : int {
    RowRelease = 0,
    RowFreeze = 1,
    RowActiveWindow = 2,
    RowEntireScreen = 3,
    RowOptions = 4,
    RowExit = 5,
    RowSaveToDefaultFolder = 6,
    RowSaveAs = 7,
    RowDefaultPrinter = 8,
    RowPrint = 9,
    RowPageSetup = 10,
    RowPastingApp = 11,
    RowCopy = 12,
    RowEmail = 13,
    RowContextMenu = 14,
};

inline const QString kHotkeysKey = QStringLiteral("Software\\Quorvalline\\Hotkeys");

// The row's command name: shown in the dialog, the registry value's name and the start of
// the caption of the row's menu items.
QString hotkeyRowName(int row);
// The table a first start stores: the two hotkeys it grabs, CTRL+R to release and CTRL+F to
// freeze, and every other row empty. Stored, they come back at every later start.
QStringList firstRunHotkeyRows();
constexpr int hotkeyId(int row) {
    return kFirstHotkeyId + row;
}

// The modifier texts in the order the dialog offers them, with their modifier bits.
struct HotkeyModifierText {
    const char* text;
    int flags;
};
inline constexpr HotkeyModifierText kHotkeyModifiers[] = {
    {"CTRL+", 2}, {"ALT+", 1}, {"SHIFT+", 4}, {"CTRL+ALT+", 3}, {"CTRL+SHIFT+", 6},
};
// The bits of a modifier text, or nothing when it is not one of the five.
std::optional<int> modifierFlags(const QString& modifierText);

// A hotkey text split into its parts: the last character is the key, the rest the modifier.
struct ParsedHotkey {
    int modifiers;
    char key;  // 'A'..'Z'
};
// Nothing for a text that is not a modifier text followed by one capital letter: such rows
// only come from an edited store and are never grabbed.
std::optional<ParsedHotkey> parseHotkey(const QString& hotkeyText);

// What the captions of the pasting-application and copy rows take from the Options window.
struct CaptionInputs {
    QString pastingAppName;  // the name of the application for pasting
    bool autoCopy = false;
};

// The caption of the row's menu items showing hotkeyText (which may be empty); nothing when
// the caption is to be left alone.
std::optional<QString> menuCaption(int row, const QString& hotkeyText, const CaptionInputs& inputs);
// The caption while hotkeys are switched off.
std::optional<QString> menuCaptionWithoutHotkey(int row, const CaptionInputs& inputs);

}  // namespace qv::options
