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
class HotkeyDispatcher;
}

namespace qv::shell {

// The main window: shown for a few seconds after start-up and on a double click of the tray
// icon, otherwise hidden. It runs the start-up, owns the tray icon, the tray menu and the
// menus popped up over the frozen screen, and the timers of the program.
class MainWindow : public QWidget, public options::HotkeyCommands {
public:
    MainWindow();
    ~MainWindow() override;

    // The start-up of the whole program; runs once the window is in place.
    void load() { Form_Load(); }
    void Form_Load();

    // Menus hook-up, also run again by whoever changes menu captions.
    void initializeMenus();
    void resetMenus();

    // Freezing and releasing.
    void Command1_Click();
    void resetAfterRelease();

    // Commands of the menus, also run by the hotkeys and the scheduled captures.
    void freezeDesktop() override;
    void releaseDesktop() override;
    void releaseDesktopFromContextMenu();
    void captureActiveWindow() override;
    void captureEntireScreen() override;
    void selectRectangleMode();
    void selectCircleMode();
    void showOptions() override;
    void exitProgram() override;
    void showHelp();
    void showInfo();
    void showObjectsPalette();
    void pasteFromClipboard();
    void saveToDefaultFolder() override;
    void saveAs() override;
    void printToDefaultPrinter() override;
    void printCapture() override;
    void showPageSetup() override;
    void startPastingApplication() override;
    void copyToClipboard() override;
    void sendByEmail() override;

    // Hotkeys of the stored table and the scheduled captures.
    void registerHotkeys();
    void loadJobTable();

    // Hides the window into the tray; without a tray it stays, so the program stays reachable.
    void hideToTray();

    // Pops a menu up at the pointer with its default item.
    void popUpMenu(QMenu* menu, QAction* defaultItem);

    // What the hotkeys need of the main window besides its commands.
    void updateClipboardMenus() override;
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
    QMenu* trayMenu;
    QAction* helpItem;
    QAction* infoItem;
    QAction* exitItem;
    QAction* optionsItem;
    QAction* captureScreenItem;
    QAction* captureWindowItem;
    QAction* freezeItem;
    QAction* releaseItem;

    // The context menu of the frozen screen.
    QMenu* contextMenu;
    QAction* addObjectItem;
    QAction* rectangleModeItem;
    QAction* circleModeItem;
    QAction* saveToDefaultFolderItem;
    QAction* saveAsItem;
    QAction* printToDefaultPrinterItem;
    QAction* printItem;
    QAction* pageSetupItem;
    QAction* pastingApplicationItem;
    QAction* pasteItem;
    QAction* copyItem;
    QAction* emailItem;
    QAction* contextReleaseItem;

    // The popups of the objects on the frozen screen.
    QMenu* textPopup;
    QAction* editTextItem;
    QAction* deleteTextItem;
    QMenu* shapePopup;
    QAction* shapeOptionsItem;
    QAction* deleteShapeItem;
    QMenu* linePopup;
    QAction* lineOptionsItem;
    QAction* deleteLineItem;
    QMenu* imagePopup;
    QAction* deleteImageItem;

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
    void trayMenuChosen();
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

    std::unique_ptr<options::HotkeyDispatcher> Timer1;  // the hotkey pump
    bool firstStart_ = false;                     // no hotkey table was stored before this run
    bool inTrayCallback_ = false;
    bool menuWatch_ = false;
    bool ended_ = false;
};

}  // namespace qv::shell
