// Stand-in until the Options window is built.
#pragma once

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

namespace qv::options {

// Only the controls the capture road reads, holding their first-run values.
class Form4 : public QWidget {
public:
    Form4()
        : Check2(new QCheckBox(QStringLiteral("Autocopy to Clipboard"), this)),
          Text5(new QLineEdit(QCoreApplication::applicationDirPath() + QStringLiteral("/beep.wav"),
                              this)),
          Option3(new QRadioButton(QStringLiteral("Outline Dotted"), this)),
          Option4(new QRadioButton(QStringLiteral("Outline Solid"), this)) {
        setWindowTitle(QStringLiteral("Options"));
        Check2->setChecked(true);
        Option4->setChecked(true);
    }

    QCheckBox* Check2;  // "Autocopy to Clipboard"
    QLineEdit* Text5;   // "Play Sound:"
    QRadioButton* Option3;
    QRadioButton* Option4;
};

}  // namespace qv::options
