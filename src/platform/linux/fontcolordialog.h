#pragma once

#include <QDialog>

#include "platform/dialogs.h"

class QComboBox;
class QDialogButtonBox;
class QFontDialog;

namespace qv::platform {

// "Font": Qt's font chooser, with underline and strikeout, and a "Color:" list of the sixteen
// basic colours, plus the incoming colour when it is none of them.
class FontColorDialog : public QDialog {
public:
    FontColorDialog(const FontChoice& initial, QWidget* owner);

    FontChoice choice() const;

    QFontDialog* fontChooser;
    QComboBox* colorCombo;
    QDialogButtonBox* buttons;
};

}  // namespace qv::platform
