// Stand-in until the Default Printing window is built.
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
        Combo1 = new QComboBox(this);
        Combo1->addItems(alignmentNames());
        layout->addWidget(Combo1);
        for (QLineEdit** box : {&Text1, &Text2, &Text3, &Text4, &Text5}) {
            *box = new QLineEdit(this);
            layout->addWidget(*box);
        }
        Option1 = new QRadioButton(QStringLiteral("&Portrait"), this);
        Option2 = new QRadioButton(QStringLiteral("L&andscape"), this);
        layout->addWidget(Option1);
        layout->addWidget(Option2);
    }

    QComboBox* Combo1;  // picture alignment
    QLineEdit* Text1;   // left, top, right, bottom margins
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;  // copies
    QRadioButton* Option1;
    QRadioButton* Option2;
};

}  // namespace qv::output
