#pragma once

#include <QString>
#include <optional>

#include "options/hotkeytable.h"

namespace qv::options {

class HotkeyCommands;

// The main window's commands, or null while no hotkey dispatcher has attached them.
HotkeyCommands* hotkeyCommands();

// Registers every non-empty row of the Hotkeys window's table and shows each registered
// hotkey in its menu captions. A row the system refuses, or one whose combination an earlier
// row has, gets one message and keeps its caption; the rows after it are still registered.
// Releases nothing first.
void registerHotkeys();
// Releases the ids of all rows, registered or not.
void releaseHotkeys();

// What the captions of the pasting-application and copy rows read from the Options window;
// nothing while that window does not exist (its own load sets those captions).
std::optional<CaptionInputs> captionInputs();
// Sets the captions of the row's menu items (menuCaption) to show hotkeyText, possibly empty,
// or, for switched-off hotkeys, no hotkey at all.
void showHotkeyCaption(int row, const QString& hotkeyText);
void showCaptionWithoutHotkey(int row);

}  // namespace qv::options
