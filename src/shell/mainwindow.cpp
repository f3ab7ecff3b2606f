#include "shell/mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QTextStream>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "options/hotkeydispatcher.h"
#include "options/hotkeytable.h"
#include "options/registrystore.h"
#include "options/settingsstore.h"
#include "options/state.h"
#include "options/windows.h"
#include "output/printing/pagesetuprecords.h"
#include "output/state.h"
#include "picmenu/picturemenus.h"
#include "picmenu/state.h"
#include "platform/services.h"
#include "shell/cursors.h"
#include "shell/pointerevents.h"
#include "shell/windowdesign.h"
#include "shell/windows.h"

namespace qv::shell {

namespace {

constexpr int kReleaseHotkey = options::hotkeyId(options::RowRelease);
constexpr int kFreezeHotkey = options::hotkeyId(options::RowFreeze);
const QString kTrayTip = QStringLiteral("Quorvalline V8");
// "Show in Tray" while there is no tray to hide into.
constexpr qint64 kLabelUnavailable = 0x808080;
// How often the window looks for a tray host that came or went while it shows.
constexpr int kTrayWatchInterval = 1000;

// The message of a default hotkey that another program holds; the two differ in their
// blanks, as they always have.
QString defaultHotkeyFailure(int error, const QString& hotkey, const QString& product) {
    const QChar cr(13);
    return QStringLiteral("Error: ") + QString::number(error) +
           QStringLiteral(" Registering Hotkey:  ") + hotkey + cr +
           QStringLiteral("Failed ! Hotkey already used by another program ? ") + cr + cr +
           product + QStringLiteral(" will keep running but the hotkey will not be available !");
}

}  // namespace

MainWindow::MainWindow()
    : trayMenuWatch(platform::clock().createTimer()),
      hideAfterStartTimer(platform::clock().createTimer()),
      autoCapturePoll(platform::clock().createTimer()),
      trayWatch(platform::clock().createTimer()) {
    loadResources();
    buildWindow();
    buildMenus();
    buildObjectPopups();
    connectMenus();
    connectObjectCommands();
    hotkeyDispatcher_ = std::make_unique<options::HotkeyDispatcher>(*this);
    trayMenuWatch->onTimeout = [this] { watchTrayMenu(); };
    hideAfterStartTimer->onTimeout = [this] { hideAfterStart(); };
    autoCapturePoll->onTimeout = [this] { pollAutoCapture(); };
    trayWatch->onTimeout = [this] { showTrayAvailability(); };
    // Every timer runs from the start, as the window was designed; the load switches them.
    trayMenuWatch->start(10);
    hideAfterStartTimer->start(5000);
    autoCapturePoll->start(4000);
    platform::tray().onEvent = [this](platform::TrayEvent event) { handleTrayEvent(event); };
}

MainWindow::~MainWindow() {
    if (platform::services().tray)
        platform::tray().onEvent = nullptr;
}

void MainWindow::buildWindow() {
    setWindowTitle(QStringLiteral("Quorvalline"));
    // A tool window has no task-bar button: the program lives in the tray.
    setWindowFlag(Qt::Tool);
    setFixedSize(twipsRect(0, 0, 6000, 3435).size());

    background = new QLabel(this);
    background->setGeometry(rect());
    background->setPixmap(QIcon(QStringLiteral(":/shell/mainwindow.svg")).pixmap(size()));
    new PointerEvents(background, [this] { resetLabelColors(); });
    // On a scaled display the last device row and column round past the picture's logical
    // edge, and the pointer there reaches the window itself.
    new PointerEvents(this, [this] { resetLabelColors(); });

    auto label = [this](const QString& text, double points, QRect where) {
        auto* l = new QLabel(text, background);
        l->setFont(boldArial(points));
        l->setGeometry(where);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColor(l, kLabelGrey);
        fitText(l);
        return l;
    };
    webSiteLabel =
        label(QStringLiteral("www.quorvalline.example"), 9, twipsRect(360, 2160, 1815, 255));
    showInTrayLabel = label(QStringLiteral("Show in Tray"), 12, twipsRect(4080, 3120, 1575, 255));
    exitLabel = label(QStringLiteral("Exit Program"), 12, twipsRect(360, 3120, 1575, 255));
    noTrayLabel = label(QStringLiteral("No tray here: right-click this window for the menu"), 9,
                        twipsRect(360, 2640, 5280, 255));
    noTrayLabel->hide();
    new PointerEvents(
        showInTrayLabel, [this] { highlightLabel(showInTrayLabel); }, [this] { showInTray(); });
    new PointerEvents(
        exitLabel, [this] { highlightLabel(exitLabel); }, [this] { exitProgram(); });

    trayIcon = QIcon(QStringLiteral(":/shell/tray.svg"));
    for (int n = 1; n <= 22; ++n)
        menuPictures.append(QIcon(QStringLiteral(":/shell/menu/%1.svg").arg(n, 2, 10, QChar('0'))));
}

void MainWindow::startUp() {
    auto& captureState = capture::state();
    auto& optionsState = options::state();
    auto& shellWindows = shell::windows();
    auto& optionsWindows = options::windows();
    // Whether hotkeys were ever stored is decided before the Hotkeys window's load stores
    // the first-run table.
    firstStart_ = !options::keyExists(options::kHotkeysKey);

    autoCapturePoll->stop();
    // A message box below runs its own event loop; the window's five seconds start only once
    // the start-up is through.
    hideAfterStartTimer->stop();
    show();
    // The Options window's load reads the settings that the windows loaded from here on use.
    optionsWindows.optionsDialog.get();
    shellWindows.frozenScreen->markerTimer->stop();
    trayMenuWatch->stop();
    output::state().programFolder = QCoreApplication::applicationDirPath();
    capture::session().shape = capture::SelectionShape::Rectangle;
    captureState.freeze.desktopFrozen = false;
    readLocaleUnits();
    readStartAtLogin();
    if (firstStart_)
        registerDefaultHotkeys();

    optionsState.hotkeysDisabled = optionsWindows.hotkeysDialog->showsHotkeysDisabled();
    releaseItem->setEnabled(false);

    addTrayIcon();
    if (!optionsState.usingDefaultHotkeys && !optionsState.hotkeysDisabled)
        registerHotkeys();
    attachMenuPictures();
    hideAfterStartTimer->start(5000);
    loadJobTable();
}

void MainWindow::readLocaleUnits() {
    output::readLocaleUnits(output::state());
}

void MainWindow::readStartAtLogin() {
    options::Settings& settings = options::state().settings;
    settings.startAtLogin = options::SettingsStore::readStartAtLogin();
    // Writing it again makes it name the executable running now.
    if (settings.startAtLogin)
        options::SettingsStore::writeStartAtLogin(true);
}

void MainWindow::registerDefaultHotkeys() {
    options::state().usingDefaultHotkeys = true;
    // A taken combination is reported; the menu names the key all the same.
    auto registerOrReport = [](int id, char key, const QString& hotkey, const QString& product) {
        const int error = platform::hotkeys().registerHotkey(id, platform::ModControl, key);
        if (error != 0) {
            platform::dialogs().message(defaultHotkeyFailure(error, hotkey, product),
                                        platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                        QStringLiteral(" Quorvalline "));
        }
    };
    registerOrReport(kReleaseHotkey, 'R', QStringLiteral("Release Desktop  CTRL+R "),
                     QStringLiteral("Quorvalline"));
    const QString release = QStringLiteral("Release Desktop   CTRL+R");
    releaseItem->setText(release);
    contextReleaseItem->setText(release);
    registerOrReport(kFreezeHotkey, 'F', QStringLiteral("Freeze Desktop CTRL+F"),
                     QStringLiteral("Quorvalline "));
    freezeItem->setText(QStringLiteral("Freeze Desktop   CTRL+F"));
}

void MainWindow::addTrayIcon() {
    auto& tray = platform::tray();
    tray.add(trayIcon, kTrayTip);
    if (!tray.isAvailable()) {
        QTextStream(stderr) << "quorvalline: no system tray is available; the main window "
                               "stays open, right-click it for the menu\n";
    }
    showTrayAvailability();
}

void MainWindow::showTrayAvailability() {
    const bool tray = platform::tray().isAvailable();
    noTrayLabel->setVisible(!tray);
    // Only a change is shown: the pointer resting on the label keeps its highlight.
    if (showInTrayLabel->isEnabled() == tray)
        return;
    showInTrayLabel->setEnabled(tray);
    setTextColor(showInTrayLabel, tray ? kLabelGrey : kLabelUnavailable);
}

void MainWindow::rememberTargetWindow() {
    capture::session().targetWindow = platform::desktop().lastForeignWindow();
}

void MainWindow::handleTrayEvent(platform::TrayEvent event) {
    rememberTargetWindow();
    if (handlingTrayEvent_)
        return;
    handlingTrayEvent_ = true;
    switch (event) {
        case platform::TrayEvent::MouseMove:
            // The pointer reaching the icon only takes the target, above.
            break;
        case platform::TrayEvent::LeftDoubleClick:
            if (frozenScreenShown()) {
                platform::dialogs().message(
                    QStringLiteral("Only available if screen is not frozen !"),
                    platform::MsgButtons::Ok, platform::MsgIcon::Information,
                    QStringLiteral("Quorvalline"));
            } else {
                show();
            }
            break;
        case platform::TrayEvent::RightButtonUp:
            popUpMenu(trayMenu, freezeItem);
            // The menu stays open after this returns; tray events wait until it closes.
            if (trayMenu->isVisible())
                return;
            break;
    }
    handlingTrayEvent_ = false;
}

void MainWindow::popUpMenu(QMenu* menu, QAction* defaultItem) {
    menu->setDefaultAction(defaultItem);
    menu->popup(QCursor::pos());
}

void MainWindow::startWatchingTrayMenu() {
    watchingTrayMenu_ = true;
    trayMenuWatch->start(10);
}

void MainWindow::watchTrayMenu() {
    auto& desktop = platform::desktop();
    if (!desktop.leftButtonDown())
        return;
    const QPoint cursor = desktop.cursorPos();
    const QRect front = desktop.windowFrame(desktop.foregroundWindow());
    // A press on one of the menu's own items must reach the item.
    // The desktop speaks device pixels, the menu's geometry logical ones.
    const QPointF cursorLogical = QPointF(cursor) / trayMenu->devicePixelRatio();
    const bool onMenu =
        trayMenu->isVisible() && QRectF(trayMenu->geometry()).contains(cursorLogical);
    if (!onMenu && watchingTrayMenu_ && cursor.x() >= front.left() && cursor.x() <= front.right())
        trayMenu->close();
    watchingTrayMenu_ = false;
    trayMenuWatch->stop();
}

void MainWindow::hideAfterStart() {
    hideAfterStartTimer->stop();
    // Hiding would take an open menu with it; the window goes when the menu closes.
    if (openMenu()) {
        hideWhenMenuCloses_ = true;
        return;
    }
    hideToTray();
}

QMenu* MainWindow::openMenu() const {
    for (QMenu* menu : {trayMenu, contextMenu}) {
        if (menu->isVisible())
            return menu;
    }
    return nullptr;
}

void MainWindow::hideToTray() {
    if (platform::tray().isAvailable())
        hide();
}

void MainWindow::resetLabelColors() {
    setTextColor(exitLabel, kLabelGrey);
    setTextColor(showInTrayLabel, showInTrayLabel->isEnabled() ? kLabelGrey : kLabelUnavailable);
}

void MainWindow::highlightLabel(QLabel* label) {
    if (!label->isEnabled())
        return;
    label->setCursor(cursors::link());
    setTextColor(label, kLabelHover);
}

void MainWindow::showInTray() {
    if (!showInTrayLabel->isEnabled())
        return;
    resetLabelColors();
    hideToTray();
}

void MainWindow::endAtOnce() {
    platform::tray().remove();
    ended_ = true;
    QCoreApplication::exit(0);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Where no tray shows the icon, the window itself carries the tray menu.
    rememberTargetWindow();
    popUpMenu(trayMenu, freezeItem);
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showTrayAvailability();
    trayWatch->start(kTrayWatchInterval);
}

void MainWindow::hideEvent(QHideEvent* event) {
    trayWatch->stop();
    QWidget::hideEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    prepareToClose();
    endInOrder();
    event->accept();
}

void MainWindow::prepareToClose() {
    picmenu::PictureMenus(picmenu::state()).unhookMenus();
    hideObjectsPalette();
    if (auto* frozen = shell::windows().frozenScreen.peek())
        frozen->hide();
}

void MainWindow::endInOrder() {
    hideObjectsPalette();
    if (auto* frozen = shell::windows().frozenScreen.peek())
        frozen->hide();
    platform::tray().remove();
    platform::hotkeys().unregisterHotkey(kReleaseHotkey);
    platform::hotkeys().unregisterHotkey(kFreezeHotkey);
    ended_ = true;
    QCoreApplication::exit(0);
}

}  // namespace qv::shell
