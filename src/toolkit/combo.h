#pragma once

class QComboBox;
class QString;

namespace qv::toolkit {

// Chooses the item whose text is text; a text that is not in the list leaves the choice as it
// is, as setting a list's text to an unknown value does.
void selectText(QComboBox* combo, const QString& text);

}  // namespace qv::toolkit
