#pragma once

class QCheckBox;
class QPushButton;
class QString;
class QWidget;

namespace qv::objects {

class ObjectLayer;

// What every options window over the frozen screen shares.

// A tool window with a title and a close box only.
void makeToolWindow(QWidget& window, const QString& title);

// The options frame over a row of the remember box, when there is one there, and OK and
// Cancel at the right.
void layOutOptionsWindow(QWidget& window, QWidget& optionsFrame, QCheckBox* rememberBox,
                         QPushButton& okButton, QPushButton& cancelButton);

// Shows the window owned by the stage's window (on its own without one), activates it and
// gives focusWidget the focus.
void showOnStage(QWidget& window, ObjectLayer& layer, QWidget& focusWidget);

}  // namespace qv::objects
