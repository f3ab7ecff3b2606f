// Stand-in until the Default Printing window is built: it only holds the default-printing
// record the Options window loads into it.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include "output/printing/pagesetuprecords.h"

namespace qv::output {

class DefaultPrintingDialog : public QWidget {
public:
    DefaultPrintingDialog() {
        setWindowTitle(QStringLiteral("Default Printing"));
        auto* layout = new QVBoxLayout(this);
        alignmentCombo = new QComboBox(this);
        alignmentCombo->addItems(alignmentNames());
        layout->addWidget(alignmentCombo);
        for (QLineEdit** box :
             {&leftMarginEdit, &topMarginEdit, &rightMarginEdit, &bottomMarginEdit, &copiesEdit}) {
            *box = new QLineEdit(this);
            layout->addWidget(*box);
        }
        portraitButton = new QRadioButton(QStringLiteral("&Portrait"), this);
        landscapeButton = new QRadioButton(QStringLiteral("L&andscape"), this);
        layout->addWidget(portraitButton);
        layout->addWidget(landscapeButton);
    }

    QComboBox* alignmentCombo;  // where the picture goes on the page
    QLineEdit* leftMarginEdit;
    QLineEdit* topMarginEdit;
    QLineEdit* rightMarginEdit;
    QLineEdit* bottomMarginEdit;
    QLineEdit* copiesEdit;
    QRadioButton* portraitButton;
    QRadioButton* landscapeButton;
};

}  // namespace qv::output
