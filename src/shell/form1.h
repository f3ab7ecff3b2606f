// Stand-in until the main window with its menus and start-up is built.
#pragma once

#include <QAction>
#include <QWidget>

namespace qv::shell {

class Form1 : public QWidget {
public:
    Form1() {
        mnuOpenContainerApp = new QAction(QStringLiteral("Start Default Application"), this);
        mnucopytoclipbrd = new QAction(QStringLiteral("Copy to Clipboard"), this);
    }
    void ResetMenu() {}

    QAction* mnuOpenContainerApp;
    QAction* mnucopytoclipbrd;
};

}  // namespace qv::shell
