#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>
#include <memory>

#include "options/hotkeycommands.h"
#include "platform/clock.h"
#include "platform/tray.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qv::options {
class HotkeyPump;
}

namespace qv::shell {

// The main window: shown for a few seconds after start-up and on a double click of the tray
// icon, otherwise hidden. It runs the start-up, owns the tray icon, the tray menu and the
// menus popped up over the frozen screen, and the timers of the program.
class Form1 : public QWidget, public options::HotkeyCommands {
public:
    Form1();
    ~Form1() override;

    // The start-up of the whole program; runs once the window is in place.
    void load() { Form_Load(); }
    void Form_Load();

    // Menus hook-up, also run again by whoever changes menu captions.
    void initializemenu();
    void ResetMenu();

    // Freezing and releasing.
    void Command1_Click();
    void standardrelease();

    // Commands of the menus, also run by the hotkeys and the scheduled captures.
    void mnuFreeze_Click() override;
    void mnuRelease_Click() override;
    void mnuContextRelease_Click();
    void mnuactivewindow_Click() override;
    void mnucapturescreen_Click() override;
    void mnurectangle_Click();
    void mnuDraw_Click();
    void mnuOptions_Click() override;
    void mnuExit_Click() override;
    void mnuhelp_Click();
    void mnuinfo_Click();
    void mnuaddobject_Click();
    void mnupaste_Click();
    void mnuSaveToDefDir_Click() override;
    void mnuSaveas_Click() override;
    void mnuDefPrinter_Click() override;
    void mnuPrint_Click() override;
    void mnupagesetup_Click() override;
    void mnuOpenContainerApp_Click() override;
    void mnucopytoclipbrd_Click() override;
    void mnuemail_Click() override;

    // Hotkeys of the stored table and the scheduled captures.
    void registerhotkeys();
    void filljobsarray();

    // Hides the window into the tray; without a tray it stays, so the program stays reachable.
    void hideToTray();

    // Pops a menu up at the pointer with its default item.
    void popUpMenu(QMenu* menu, QAction* defaultItem);

    // What the hotkeys need of the main window besides its commands.
    void UpdateClipboardMenus() override;
    bool frozenScreenShown() override;
    void setTargetWindow(platform::WindowId window) override;
    void popupContextMenu() override;
    QAction* menuItem(options::MenuItem item) override;

    // Controls.
    QLabel* Picture1;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QPushButton* Command1;
    QPushButton* Command2;
    QList<QIcon> ImageList1;
    QList<QIcon> imgmenu;  // picture n of the menus is imgmenu[n - 1]

    std::unique_ptr<platform::Timer> Timer2;  // tray-menu watcher
    std::unique_ptr<platform::Timer> Timer3;  // hides the window once after start-up
    std::unique_ptr<platform::Timer> Timer4;  // scheduled captures poll

    // The tray menu.
    QMenu* mnuTray;
    QAction* mnuhelp;
    QAction* mnuinfo;
    QAction* mnuExit;
    QAction* mnuOptions;
    QAction* mnucapturescreen;
    QAction* mnuactivewindow;
    QAction* mnuFreeze;
    QAction* mnuRelease;

    // The context menu of the frozen screen.
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

    // The popups of the objects on the frozen screen.
    QMenu* mnulab4popup;
    QAction* mnulab4edit;
    QAction* mnulab4delete;
    QMenu* mnushape2popup;
    QAction* mnushape2options;
    QAction* mnushape2delete;
    QMenu* mnuline1popup;
    QAction* mnulie1options;
    QAction* mnuline1delete;
    QMenu* mnuimage1popup;
    QAction* mnuimage1delete;

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildObjectPopups();
    void connectMenus();

    void readLocale();
    void readStartWithWindows();
    void registerDefaultHotkeys();
    void addTrayIcon();

    void Form_MouseMove(platform::TrayEvent code);
    void mnuTray_Click();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Label3_Click();
    void Label3_MouseMove();
    void Label4_Click();
    void Label4_MouseMove();
    void Picture1_MouseMove();
    void Form_QueryUnload();
    void Form_Unload();

    void resetLabelColors();
    // Removes the tray icon and ends the program without the orderly close.
    void endAtOnce();

    std::unique_ptr<options::HotkeyPump> Timer1;  // the hotkey pump
    bool firstStart_ = false;                     // no hotkey table was stored before this run
    bool inTrayCallback_ = false;
    bool menuWatch_ = false;
    bool ended_ = false;
};

}  // namespace qv::shell
