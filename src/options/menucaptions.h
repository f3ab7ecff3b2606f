#pragma once

#include <QString>

#include "options/hotkeycommands.h"
#include "options/hotkeytable.h"

namespace qv::options {

// The hotkey text of one row of the Hotkeys window (building it when needed).
QString hotkeyText(int row);

// Sets the caption of one of the main window's menu items. The main window is the first
// window of the program; before it exists there is no menu to caption.
void setMainMenuCaption(MenuItem item, const QString& caption);
// Registers the menu pictures again under the captions as they are now.
void updateMainMenuPictures();

// "Start Default Application( name )" followed by gap and the hotkey text.
QString pastingAppCaption(const QString& appName, const QString& gap, const QString& hotkey);
// The "Copy to Clipboard" caption for the autocopy box's state.
QString copyCaption(bool autocopy, const QString& hotkey);

}  // namespace qv::options
