#pragma once

#include <QString>
#include <optional>

class QComboBox;
class QPushButton;
class QWidget;

namespace qv::output {

// What the save and email dialogs share: a typed name saved into the default folder of the
// Options, over the frozen screen.

// Refuses an empty name, one with forbidden characters or one too long for a file name with its
// message; true when the name may be used.
bool fileNameAccepted(const QString& name);

// Saves the capture as name + extension in the default folder: the file's absolute path, or
// nothing after a problem was shown or the overwrite was declined (the dialog stays up, so
// another name can be typed).
std::optional<QString> saveIntoDefaultFolder(const QString& name, const QString& extension);

// Shows window in front of the frozen screen and makes it the active window.
void showOverFrozenScreen(QWidget& window);

// Return or Enter in the format list presses the dialog's OK, as in its name box: these
// dialogs are plain windows, where a list lets the key go unanswered.
void pressOnReturn(QComboBox& formats, QPushButton& ok);

// A dialog over the frozen screen became active: it counts as open, and a pending one-step
// capture is dropped.
void holdFrozenScreenForDialog();

}  // namespace qv::output
