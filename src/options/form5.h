// Stand-in until the Hotkeys window is built.
#pragma once

#include <QCheckBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace qv::options {

class Form5 : public QWidget {
public:
    Form5() {
        setWindowTitle(QStringLiteral("Hotkeys"));
        List1 = new QListWidget(this);
        List2 = new QListWidget(this);
        Check1 = new QCheckBox(QStringLiteral("   &Disable Hotkeys"), this);
        for (int row = 0; row < 15; ++row) {
            List1->addItem(QString());
            List2->addItem(QString());
        }
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(List1);
        layout->addWidget(List2);
        layout->addWidget(Check1);
    }

    QListWidget* List1;  // row names
    QListWidget* List2;  // hotkey texts
    QCheckBox* Check1;
};

}  // namespace qv::options
