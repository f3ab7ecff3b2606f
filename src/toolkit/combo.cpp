#include "toolkit/combo.h"

#include <QComboBox>

namespace qv::toolkit {

void selectText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

}  // namespace qv::toolkit
