#include "shell/mainwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTextStream>

#include "options/hotkeydispatcher.h"
#include "options/hotkeytable.h"
#include "options/registrystore.h"
#include "options/settingsstore.h"
#include "options/windows.h"
#include "output/printing/pagesetuprecords.h"
#include "picmenu/picturemenus.h"
#include "platform/services.h"
#include "shell/formkit.h"
#include "shell/program.h"
#include "shell/windows.h"

namespace qv::shell {

namespace {

constexpr int kReleaseHotkey = options::hotkeyId(options::RowRelease);
constexpr int kFreezeHotkey = options::hotkeyId(options::RowFreeze);
const QString kTrayTip = QStringLiteral("Quorvalline V8");

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
    : Timer2(platform::clock().createTimer()),
      Timer3(platform::clock().createTimer()),
      Timer4(platform::clock().createTimer()) {
    loadResources();
    buildWindow();
    buildMenus();
    buildObjectPopups();
    connectMenus();
    Timer1 = std::make_unique<options::HotkeyDispatcher>(*this);
    Timer2->onTimeout = [this] { Timer2_Timer(); };
    Timer3->onTimeout = [this] { Timer3_Timer(); };
    Timer4->onTimeout = [this] { Timer4_Timer(); };
    // Every timer runs from the start, as the window was designed; the load switches them.
    Timer2->start(10);
    Timer3->start(5000);
    Timer4->start(4000);
    platform::tray().onEvent = [this](platform::TrayEvent code) { Form_MouseMove(code); };
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

    Picture1 = new QLabel(this);
    Picture1->setGeometry(rect());
    Picture1->setPixmap(QIcon(QStringLiteral(":/shell/mainwindow.svg")).pixmap(size()));
    new PointerEvents(Picture1, [this] { Picture1_MouseMove(); });

    auto label = [this](const QString& text, double points, QRect where) {
        auto* l = new QLabel(text, Picture1);
        l->setFont(boldArial(points));
        l->setGeometry(where);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setForeColor(l, kLabelGrey);
        fitText(l);
        return l;
    };
    Label1 = label(QStringLiteral("www.quorvalline.example"), 9, twipsRect(360, 2160, 1815, 255));
    Label4 = label(QStringLiteral("Show in Tray"), 12, twipsRect(4080, 3120, 1575, 255));
    Label3 = label(QStringLiteral("Exit Program"), 12, twipsRect(360, 3120, 1575, 255));
    new PointerEvents(
        Label4, [this] { Label4_MouseMove(); }, [this] { Label4_Click(); });
    new PointerEvents(
        Label3, [this] { Label3_MouseMove(); }, [this] { Label3_Click(); });

    Text1 = new QLineEdit(this);
    Text2 = new QLineEdit(this);
    Text3 = new QLineEdit(this);
    Command1 = new QPushButton(QStringLiteral("&Freeze Screen"), this);
    Command2 = new QPushButton(QStringLiteral("&Release Screen"), this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    ImageList1 = {QIcon(QStringLiteral(":/shell/tray.svg"))};
    for (int n = 1; n <= 22; ++n)
        imgmenu.append(QIcon(QStringLiteral(":/shell/menu/%1.svg").arg(n, 2, 10, QChar('0'))));
}

void MainWindow::Form_Load() {
    auto& state = program().shell;
    auto& options = program().options;
    auto& forms = program().shellWindows();
    auto& optionForms = program().optionsWindows();
    // Whether hotkeys were ever stored is decided before the Hotkeys window's load stores
    // empty ones.
    firstStart_ = !options::keyExists(options::kHotkeysKey);

    Timer4->stop();
    Text1->setVisible(false);
    Text2->setVisible(false);
    Text3->setVisible(false);
    Text3->clear();
    show();
    // The Options window's load reads the settings that the windows loaded from here on use.
    optionForms.optionsDialog.get();
    forms.frozenScreen->Timer1->stop();
    Timer2->stop();
    state.programpath = QCoreApplication::applicationDirPath();
    if (isVisible())
        state.helpfile = QDir(state.programpath).filePath(QStringLiteral("QuorvallineHelp.chm"));
    Command1->setVisible(false);
    Command2->setVisible(false);
    state.rectangularmode = true;
    state.desktopfrozen = false;
    state.circularmode = false;
    readLocale();
    readStartWithWindows();
    if (firstStart_)
        registerDefaultHotkeys();

    const Qt::CheckState disable = optionForms.hotkeysDialog->disableHotkeysBox->checkState();
    if (disable != Qt::PartiallyChecked)
        options.disableHotkeys = disable == Qt::Checked;
    releaseItem->setEnabled(false);

    addTrayIcon();
    if (!options.defaultHotkeys && !options.disableHotkeys)
        registerHotkeys();
    initializeMenus();
    Timer3->start(5000);
    loadJobTable();
    Timer4->start(4000);
}

void MainWindow::readLocale() {
    output::readLocaleUnits(program().output);
}

void MainWindow::readStartWithWindows() {
    options::Settings& settings = program().options.settings;
    settings.startAtLogin = options::SettingsStore::readStartAtLogin();
    // Writing it again makes it name the executable running now.
    if (settings.startAtLogin)
        options::SettingsStore::writeStartAtLogin(true);
}

void MainWindow::registerDefaultHotkeys() {
    program().options.defaultHotkeys = true;
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
    tray.add(ImageList1.first(), kTrayTip);
    if (!tray.isAvailable()) {
        QTextStream(stderr) << "quorvalline: no system tray is available; the main window "
                               "stays open, right-click it for the menu\n";
    }
}

void MainWindow::Form_MouseMove(platform::TrayEvent code) {
    auto& state = program().shell;
    if (!state.trayhover) {
        const platform::WindowId target = platform::desktop().lastForeignWindow();
        program().shellWindows().form3->Text1->setText(QString::number(target));
    }
    if (inTrayCallback_)
        return;
    inTrayCallback_ = true;
    switch (code) {
        case platform::TrayEvent::MouseMove:
            state.trayhover = true;
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
            // The menu stays open after this returns; the callback stays busy until it closes.
            if (trayMenu->isVisible())
                return;
            break;
    }
    inTrayCallback_ = false;
}

void MainWindow::popUpMenu(QMenu* menu, QAction* defaultItem) {
    menu->setDefaultAction(defaultItem);
    menu->popup(QCursor::pos());
}

void MainWindow::trayMenuChosen() {
    menuWatch_ = true;
    Timer2->start(10);
}

void MainWindow::Timer2_Timer() {
    auto& desktop = platform::desktop();
    if (!desktop.leftButtonDown())
        return;
    const QPoint cursor = desktop.cursorPos();
    const QRect front = desktop.windowFrame(desktop.foregroundWindow());
    // A press on one of the menu's own items must reach the item.
    const bool onMenu = trayMenu->isVisible() && trayMenu->geometry().contains(cursor);
    if (!onMenu && menuWatch_ && cursor.x() >= front.left() && cursor.x() <= front.right())
        trayMenu->close();
    menuWatch_ = false;
    Timer2->stop();
}

void MainWindow::Timer3_Timer() {
    hideToTray();
    Timer3->stop();
}

void MainWindow::hideToTray() {
    if (platform::tray().isAvailable())
        hide();
}

void MainWindow::resetLabelColors() {
    setForeColor(Label3, kLabelGrey);
    setForeColor(Label4, kLabelGrey);
}

void MainWindow::Label3_MouseMove() {
    Label3->setCursor(handCursor());
    setForeColor(Label3, kLabelHover);
}

void MainWindow::Label4_MouseMove() {
    Label4->setCursor(handCursor());
    setForeColor(Label4, kLabelHover);
}

void MainWindow::Picture1_MouseMove() {
    resetLabelColors();
}

void MainWindow::Label4_Click() {
    resetLabelColors();
    hideToTray();
}

void MainWindow::Label3_Click() {
    endAtOnce();
}

void MainWindow::endAtOnce() {
    platform::tray().remove();
    ended_ = true;
    QCoreApplication::exit(0);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Where no tray shows the icon, the window itself carries the tray menu.
    popUpMenu(trayMenu, freezeItem);
    event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void MainWindow::Form_QueryUnload() {
    picmenu::PictureMenus(program().picmenu).detach();
    if (auto* frozen = program().shellWindows().frozenScreen.peek())
        frozen->hide();
}

void MainWindow::Form_Unload() {
    if (auto* frozen = program().shellWindows().frozenScreen.peek())
        frozen->hide();
    platform::tray().remove();
    platform::hotkeys().unregisterHotkey(kReleaseHotkey);
    platform::hotkeys().unregisterHotkey(kFreezeHotkey);
    ended_ = true;
    QCoreApplication::exit(0);
}

}  // namespace qv::shell
