#pragma once

#include <QString>

class QWidget;

namespace qv::options {

// The program's folder: where the executable, the help file and the default sound lie.
QString programFolder();

// The help file beside the executable.
QString helpFilePath();

// The text shown for a failed help launch with the given result code; empty for codes
// without a text of their own.
QString helpLaunchMessage(int resultCode);

// Opens the help file through the desktop; on failure tells the user why. Shared by the
// Options window and the tray menu's Help.
void openHelpFile(QWidget* owner);

}  // namespace qv::options
