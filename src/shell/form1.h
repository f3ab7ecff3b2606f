// Stand-in until the main window is built.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

namespace qv::shell {

// The main window as far as freezing, releasing and the capture menus need it.
class Form1 : public QWidget {
public:
    Form1() {
        setWindowTitle(QStringLiteral("Quorvalline"));
        Command1 = new QPushButton(this);
        Command1->hide();
        mnuTray = new QMenu(QStringLiteral("File"), this);
        mnucapturescreen = mnuTray->addAction(QStringLiteral("Capture Entire Screen"));
        mnuactivewindow = mnuTray->addAction(QStringLiteral("Capture Active Window"));
        mnuFreeze = mnuTray->addAction(QStringLiteral("Freeze Desktop             "));
        mnuRelease = mnuTray->addAction(QStringLiteral("Release Desktop"));
        mnuRelease->setEnabled(false);

        mnuContext = new QMenu(QStringLiteral("Context"), this);
        mnuaddobject = mnuContext->addAction(QStringLiteral("Add Objects..."));
        mnurectangle = mnuContext->addAction(QStringLiteral("Capture Rectangular Area          "));
        mnuDraw = mnuContext->addAction(QStringLiteral("Capture Circular Area"));
        mnuSaveToDefDir = mnuContext->addAction(QStringLiteral("Save to Default Directory"));
        mnuSaveas = mnuContext->addAction(QStringLiteral("Save As..."));
        mnuDefPrinter = mnuContext->addAction(QStringLiteral("Print to Default Printer"));
        mnuPrint = mnuContext->addAction(QStringLiteral("Print..."));
        mnupagesetup = mnuContext->addAction(QStringLiteral("Page Setup..."));
        mnuOpenContainerApp = mnuContext->addAction(QStringLiteral("Start Default Application"));
        mnupaste = mnuContext->addAction(QStringLiteral("Paste from Clipboard"));
        mnucopytoclipbrd = mnuContext->addAction(QStringLiteral("Copy to Clipboard"));
        mnuemail = mnuContext->addAction(QStringLiteral("Email To..."));
        mnuContextRelease = mnuContext->addAction(QStringLiteral("Release Desktop"));

        connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
        connect(mnuFreeze, &QAction::triggered, this, [this] { mnuFreeze_Click(); });
        connect(mnuRelease, &QAction::triggered, this, [this] { standardrelease(); });
        connect(mnuContextRelease, &QAction::triggered, this, [this] { standardrelease(); });
    }

    QPushButton* Command1;  // hidden: its click is the freeze

    QMenu* mnuTray;
    QAction* mnucapturescreen;
    QAction* mnuactivewindow;
    QAction* mnuFreeze;
    QAction* mnuRelease;

    QMenu* mnuContext;
    QAction* mnuaddobject;
    QAction* mnurectangle;
    QAction* mnuDraw;
    QAction* mnuSaveToDefDir;
    QAction* mnuSaveas;
    QAction* mnuDefPrinter;
    QAction* mnuPrint;
    QAction* mnupagesetup;
    QAction* mnuOpenContainerApp;
    QAction* mnupaste;
    QAction* mnucopytoclipbrd;
    QAction* mnuemail;
    QAction* mnuContextRelease;

    void standardrelease();
    void ResetMenu() {}

private:
    void Command1_Click();
    void mnuFreeze_Click();
};

}  // namespace qv::shell
