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
class QMenu;

namespace qv::options {
class HotkeyDispatcher;
}
namespace qv::autocapture {
struct JobRow;
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
    void load() { startUp(); }
    void startUp();

    // The menus show pictures found by their items' captions: attached once at start-up,
    // registered again by whoever changes a caption.
    void attachMenuPictures();
    void updateMenuPictures();

    // Freezing and releasing. Reads the screen into the snapshot and shows the frozen screen
    // over it; the one-step captures waiting run in its activation.
    void showFrozenScreen();
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
    // The poll runs only while a job may fire; idle, the program does not wake for it.
    void pollWhileJobsMayFire();
    // The next poll treats the title in front as new, so its job fires even though the window
    // stayed in front.
    void forgetForegroundTitle() { foregroundTitle_.clear(); }

    // Hides the window into the tray; without a tray it stays, so the program stays reachable.
    void hideToTray();

    // Pops a menu up at the pointer with its default item.
    void popUpMenu(QMenu* menu, QAction* defaultItem);

    // What the hotkeys need of the main window besides its commands.
    void updateClipboardMenus() override;
    bool frozenScreenShown() override;
    void setTargetWindow(platform::WindowId window) override;
    void popUpContextMenu() override;
    QAction* menuItem(options::MenuItem item) override;

    // Controls.
    QLabel* background;
    QLabel* webSiteLabel;
    QLabel* exitLabel;
    QLabel* showInTrayLabel;
    QLabel* noTrayLabel;  // says where the menu is while no tray shows the icon
    QIcon trayIcon;
    QList<QIcon> menuPictures;  // picture n of the menus is menuPictures[n - 1]

    std::unique_ptr<platform::Timer> trayMenuWatch;  // closes the tray menu at a press beside it
    std::unique_ptr<platform::Timer> hideAfterStartTimer;  // hides the window once after start-up
    std::unique_ptr<platform::Timer> autoCapturePoll;      // polls the scheduled captures
    std::unique_ptr<platform::Timer> trayWatch;            // notices a tray host coming or going

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
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildObjectPopups();
    void connectObjectCommands();
    void hideObjectsPalette();
    void connectMenus();

    void readLocaleUnits();
    void readStartAtLogin();
    void registerDefaultHotkeys();
    void addTrayIcon();

    void handleTrayEvent(platform::TrayEvent event);
    // The user turns to our menu: what "Capture Active Window" frames is the window they
    // worked in last, whatever they clicked on the way.
    void rememberTargetWindow();
    // Without a tray the window says how to reach the menu, and cannot hide into the tray.
    void showTrayAvailability();
    void startWatchingTrayMenu();
    void watchTrayMenu();
    void hideAfterStart();
    // A menu of ours that is open now, or null.
    QMenu* openMenu() const;
    void pollAutoCapture();
    // The scheduled captures: each trigger run reads the foreground window once and every job
    // it fires targets that window.
    bool autoCaptureIdle() const;
    void fireJob(const autocapture::JobRow& job, platform::WindowId front, const QString& title);
    void saveJobCapture(const autocapture::JobRow& job);
    // The labels that act as links light up under the pointer until it leaves them.
    void highlightLabel(QLabel* label);
    void showInTray();
    void prepareToClose();
    void endInOrder();

    void resetLabelColors();
    // Removes the tray icon and ends the program without the orderly close.
    void endAtOnce();

    std::unique_ptr<options::HotkeyDispatcher> hotkeyDispatcher_;
    bool firstStart_ = false;         // no hotkey table was stored before this run
    bool handlingTrayEvent_ = false;  // later tray events only remember the target window
    bool watchingTrayMenu_ = false;
    bool hideWhenMenuCloses_ = false;  // the hide after start-up met an open menu
    bool ended_ = false;
    // What the last poll saw: the foreground title and the clock as "HH:mm".
    QString foregroundTitle_;
    QString clockMinute_;
    // The poll stands still for want of jobs; when it comes back, what is in front then and
    // the minute then count as seen, as if it had gone on polling since the start-up.
    bool pollPaused_ = false;
};

}  // namespace qv::shell
