#include "objects/toolwindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>

#include "objects/objectlayer.h"
#include "toolkit/ownedwindow.h"

namespace qv::objects {

void makeToolWindow(QWidget& window, const QString& title) {
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

void layOutOptionsWindow(QWidget& window, QWidget& optionsFrame, QCheckBox* rememberBox,
                         QPushButton& okButton, QPushButton& cancelButton) {
    auto* buttonRow = new QHBoxLayout;
    if (rememberBox)
        buttonRow->addWidget(rememberBox);
    buttonRow->addStretch();
    buttonRow->addWidget(&okButton);
    buttonRow->addWidget(&cancelButton);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&optionsFrame);
    layout->addLayout(buttonRow);
}

void showOnStage(QWidget& window, ObjectLayer& layer, QWidget& focusWidget) {
    if (QWidget* owner = layer.stage().stageWindow())
        toolkit::showOwned(window, *owner);
    else
        window.show();
    window.activateWindow();
    focusWidget.setFocus();
}

}  // namespace qv::objects
