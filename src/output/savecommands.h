#pragma once

#include <QString>
#include <optional>

#include "output/saveerror.h"
#include "output/saveformat.h"

namespace qv::output {

// "Save to Default Directory": opens the save dialog, or writes the capture under the first
// free numbered name of the default folder. A failure is reported and keeps the frozen screen.
void saveToDefaultFolder();

// "Save As...": folder, name and format from the save-file dialog. The name finally written is
// asked about before an existing file is replaced; a failure is reported and releases nothing.
void saveAs();

// The file Save As writes for the name chosen in the dialog: the extension typed (after the
// last dot of the name) is replaced by the format's.
QString saveAsTarget(const QString& chosenPath, const SaveFormat& format);

// The format of a filter of the save-file dialog; the bitmap row for any other text.
const SaveFormat& saveFormatForFilter(const QString& filter);

// What the saving roads share.

// Why the default folder cannot take files: unset, or not an existing folder.
std::optional<SaveError> defaultFolderProblem(const QString& folder);

// True when nothing is at target or the user agreed to replace it.
bool overwriteAllowed(const QString& target);

// Writes the capture buffer to target in format.
std::optional<SaveError> saveCapture(const QString& target, const SaveFormat& format);

// After a successful save from the frozen screen: the frozen screen comes back, or the desktop
// is released when the options ask for it.
void showFrozenScreenOrRelease();

// Points the frozen picture with the pointer of the area mode again.
void restoreAreaPointer();

}  // namespace qv::output
