#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <optional>

#include "fakes/fakeprogram.h"
#include "options/hotkeytable.h"
#include "options/windows.h"
#include "shell/windows.h"

namespace qv::shell {
namespace {

using Root = platform::Registry::Root;
using platform::TrayEvent;
const QString kHotkeys = QStringLiteral("Software\\Quorvalline\\Hotkeys");

class MainWindowTest : public fakes::ProgramTest {
protected:
    // A run after the first one: the hotkey table was stored.
    void storeHotkeyTable() { fake.registry().createKey(Root::CurrentUser, kHotkeys); }
    MainWindow& start() { return prog.shellWindows().mainWindow.get(); }
    static void clickLabel(QWidget* label) {
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(1, 1), label->mapToGlobal(QPointF(1, 1)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &up);
    }
    static void rightClick(QWidget& widget) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                                widget.mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(&widget, &click);
    }
};

TEST_F(MainWindowTest, TheDefaultHotkeysAreRowsOfTheTableFromTheFirstStartOn) {
    using C = fakes::FakeHotkeys::Combination;
    const C ctrlR{platform::ModControl, 'R'};
    const C ctrlF{platform::ModControl, 'F'};
    // Starts one after the other on the same store; the second removes "Freeze Desktop"'s row
    // in the Hotkeys window.
    const struct {
        bool first;
        QMap<int, C> registered;
        const char* freezeCaption;
    } starts[] = {
        {true, {{0xB001, ctrlR}, {0xB002, ctrlF}}, "Freeze Desktop   CTRL+F"},
        {false, {{0xB001, ctrlR}, {0xB002, ctrlF}}, "Freeze Desktop   CTRL+F"},
        {false, {{0xB001, ctrlR}}, "Freeze Desktop             "},
    };
    fakes::FakePlatform platform;
    for (const auto& start : starts) {
        SCOPED_TRACE(start.freezeCaption);
        platform.hotkeys().registered.clear();  // a new process holds nothing yet
        Program run;
        MainWindow& mainWindow = run.shellWindows().mainWindow.get();
        EXPECT_EQ(platform.hotkeys().registered, start.registered);
        EXPECT_EQ(run.options.usingDefaultHotkeys, start.first);
        EXPECT_EQ(mainWindow.releaseItem->text(), "Release Desktop   CTRL+R");
        EXPECT_EQ(mainWindow.contextReleaseItem->text(), mainWindow.releaseItem->text());
        EXPECT_EQ(mainWindow.freezeItem->text(), start.freezeCaption);

        options::HotkeysDialog& hotkeys = run.optionsWindows().hotkeysDialog.get();
        EXPECT_EQ(hotkeys.hotkeyList->item(options::RowRelease)->text(), "CTRL+R");
        if (!start.first && start.registered.contains(0xB002)) {
            hotkeys.show();
            hotkeys.hotkeyList->setCurrentRow(options::RowFreeze);
            platform.clock().advance(100);
            hotkeys.removeHotkeyButton->click();
            hotkeys.closeButton->click();
        }
    }
    EXPECT_TRUE(platform.dialogs().messages.empty());
}

TEST_F(MainWindowTest, TakenCombinationsGiveOneMessagePerDefaultHotkey) {
    fake.hotkeys().heldElsewhere = {{platform::ModControl, 'R'}, {platform::ModControl, 'F'}};
    fake.hotkeys().takenError = 1409;
    // The user reads each message for three seconds before answering it.
    fake.dialogs().whileMessageOpen = [this] { fake.clock().advance(3000); };
    MainWindow& mainWindow = start();

    const QString cr(QChar(13));
    const QString tail = cr + "Failed ! Hotkey already used by another program ? " + cr + cr;
    ASSERT_EQ(fake.dialogs().messages.size(), 2u);
    EXPECT_EQ(fake.dialogs().messages[0].text,
              "Error: 1409 Registering Hotkey:  Release Desktop  CTRL+R " + tail +
                  "Quorvalline will keep running but the hotkey will not be available !");
    EXPECT_EQ(fake.dialogs().messages[1].text,
              "Error: 1409 Registering Hotkey:  Freeze Desktop CTRL+F" + tail +
                  "Quorvalline  will keep running but the hotkey will not be available !");
    EXPECT_EQ(fake.dialogs().messages[1].title, " Quorvalline ");
    EXPECT_EQ(mainWindow.freezeItem->text(), "Freeze Desktop   CTRL+F");
    EXPECT_TRUE(fake.tray().shown);
    // The five seconds of the window count from the end of the start-up.
    EXPECT_TRUE(mainWindow.isVisible());
    fake.clock().advance(4999);
    EXPECT_TRUE(mainWindow.isVisible());
    fake.clock().advance(1);
    EXPECT_FALSE(mainWindow.isVisible());
}

TEST_F(MainWindowTest, DisableHotkeysStoredOnRegistersNothing) {
    storeHotkeyTable();
    fake.registry().setValue(Root::CurrentUser, kHotkeys, "DisableHotkeys", QByteArray("1\0", 2));
    fake.registry().setValue(Root::CurrentUser, kHotkeys, "Capture Entire Screen",
                             QByteArray("CTRL+E\0", 7));
    prog.optionsWindows().hotkeysDialog->disableHotkeysBox->setChecked(true);
    start();
    EXPECT_TRUE(prog.options.hotkeysDisabled);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
}

TEST_F(MainWindowTest, MenusAfterStartUp) {
    storeHotkeyTable();
    MainWindow& mainWindow = start();
    // Item captions from the top, "-" for the separator between every two.
    const auto captions = [](QMenu* menu) {
        QStringList texts;
        for (QAction* item : menu->actions())
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return texts.join('|');
    };
    EXPECT_EQ(captions(mainWindow.trayMenu),
              "Help...|-|Info...|-|Exit|-|Options...|-|Capture Entire Screen|-|"
              "Capture Active Window|-|Freeze Desktop             |-|Release Desktop");
    EXPECT_EQ(captions(mainWindow.contextMenu),
              "Add Objects...|-|Capture Rectangular Area          |-|Capture Circular Area|-|"
              "Save to Default Directory|-|Save As...|-|Print to Default Printer|-|Print...|-|"
              "Page Setup...|-|Start Default Application( lowriter )|-|Paste from Clipboard|-|"
              "Copy to Clipboard ( Autocopy Enabled )  |-|Email To...|-|Release Desktop");
    EXPECT_FALSE(mainWindow.releaseItem->isEnabled());
    EXPECT_TRUE(mainWindow.contextReleaseItem->isEnabled());

    fake.tray().fire(TrayEvent::RightButtonUp);
    EXPECT_EQ(mainWindow.trayMenu->defaultAction(), mainWindow.freezeItem);
    EXPECT_TRUE(mainWindow.trayMenu->isVisible());
}

// Fresh starts: a stored release after capture forces autocopy on; the locale sets the units.
TEST_F(MainWindowTest, StartReadsTheStoredReleaseAndTheLocale) {
    const struct {
        bool release;
        QString measurement;
        const char* unitSign;
        const char* units;
    } starts[] = {
        {true, "0", "mm", "Metric"},
        {false, QString("1") + QChar(0) + "x", "\"", "US"},
        {false, "2", "", ""},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.measurement.toStdString());
        fakes::FakePlatform platform;
        const QString autoKey = "Software\\Quorvalline\\Auto";
        platform.registry().setValue(Root::CurrentUser, autoKey, "AutoCopyToClibrd",
                                     QByteArray("0\0", 2));
        platform.registry().setValue(Root::CurrentUser, autoKey, "AutoReleaseDesktop",
                                     QByteArray(start.release ? "1\0" : "0\0", 2));
        platform.registry().createKey(Root::CurrentUser, "Software\\Quorvalline\\Save");
        platform.locale().measurement = start.measurement;
        platform.locale().separator = QString(",") + QChar(0);
        Program run;
        run.shellWindows().mainWindow.get();
        EXPECT_EQ(run.options.settings.releaseAfterCapture, start.release);
        EXPECT_EQ(run.options.settings.autoCopy, start.release);
        EXPECT_EQ(output::unitSign(run.output.currentUnits), start.unitSign);
        EXPECT_EQ(output::unitsText(run.output.localeUnits), start.units);
        EXPECT_EQ(run.output.decimalSeparator, ",");
    }
}

TEST_F(MainWindowTest, StateAfterStartUpAndTheWindowHidesIntoTheTrayAfterFiveSeconds) {
    fake.registry().setValue(Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                             "Quorvalline", QByteArray("/opt/q/quorvalline\0", 19));
    MainWindow& mainWindow = start();
    EXPECT_TRUE(prog.options.settings.startAtLogin);
    EXPECT_EQ(prog.capture.shape, capture::SelectionShape::Rectangle);
    EXPECT_TRUE(fake.tray().shown);
    fake.clock().advance(4999);
    EXPECT_TRUE(mainWindow.isVisible());
    fake.clock().advance(1);
    EXPECT_FALSE(mainWindow.isVisible());
    // "Show in Tray" hides it too.
    mainWindow.show();
    clickLabel(mainWindow.showInTrayLabel);
    EXPECT_FALSE(mainWindow.isVisible());
}

TEST_F(MainWindowTest, WithoutATrayTheWindowStaysSaysWhereTheMenuIsAndCannotHideIntoTheTray) {
    fake.tray().available = false;
    MainWindow& mainWindow = start();
    fake.clock().advance(10000);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_TRUE(mainWindow.noTrayLabel->isVisible());
    EXPECT_TRUE(mainWindow.noTrayLabel->text().contains("right-click"));
    EXPECT_FALSE(mainWindow.showInTrayLabel->isEnabled());
    clickLabel(mainWindow.showInTrayLabel);
    EXPECT_TRUE(mainWindow.isVisible());
    rightClick(mainWindow);
    EXPECT_TRUE(mainWindow.trayMenu->isVisible());
    mainWindow.trayMenu->close();

    // A tray host that starts later.
    fake.tray().available = true;
    fake.clock().advance(1000);
    EXPECT_FALSE(mainWindow.noTrayLabel->isVisible());
    EXPECT_TRUE(mainWindow.showInTrayLabel->isEnabled());
    clickLabel(mainWindow.showInTrayLabel);
    EXPECT_FALSE(mainWindow.isVisible());
}

// The watch for a tray host that comes or goes leaves a highlight under the pointer alone.
TEST_F(MainWindowTest, ShowInTrayKeepsItsHighlightWhileThePointerRestsOnIt) {
    QLabel* label = start().showInTrayLabel;
    auto color = [label] { return label->palette().color(QPalette::WindowText); };
    const QColor resting = color();
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), label->mapToGlobal(QPointF(1, 1)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &move);
    ASSERT_NE(color(), resting);
    fake.clock().advance(2000);
    EXPECT_NE(color(), resting);
    // A tray that goes and comes back takes it away.
    fake.tray().available = false;
    fake.clock().advance(1000);
    fake.tray().available = true;
    fake.clock().advance(1000);
    EXPECT_EQ(color(), resting);
}

TEST_F(MainWindowTest, TheHideAfterStartLeavesAnOpenMenuAloneAndComesWhenItCloses) {
    for (bool trayMenu : {true, false}) {
        SCOPED_TRACE(trayMenu);
        fakes::FakePlatform platform;
        Program run;
        MainWindow& mainWindow = run.shellWindows().mainWindow.get();
        QMenu* menu = trayMenu ? mainWindow.trayMenu : mainWindow.contextMenu;
        platform.clock().advance(3000);
        if (trayMenu)
            platform.tray().fire(TrayEvent::RightButtonUp);
        else
            menu->popup(QPoint(10, 10));
        platform.clock().advance(2000);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(mainWindow.isVisible());
        menu->close();
        EXPECT_FALSE(mainWindow.isVisible());
    }
}

TEST_F(MainWindowTest, ReleaseDesktopIsOfferedOnAFreezeAfterTheContextMenuHotkey) {
    MainWindow& mainWindow = start();
    // The context-menu hotkey on a desktop that is not frozen, the menu left unused.
    QTimer::singleShot(0, mainWindow.contextMenu, [&] { mainWindow.contextMenu->close(); });
    fake.hotkeys().onHotkey(0xB00F);
    mainWindow.freezeItem->trigger();
    ASSERT_TRUE(prog.captureState.freeze.desktopFrozen);
    EXPECT_TRUE(mainWindow.contextReleaseItem->isEnabled());
}

TEST_F(MainWindowTest, TrayDoubleClickShowsTheWindowUnlessFrozen) {
    MainWindow& mainWindow = start();
    mainWindow.hide();
    prog.shellWindows().frozenScreen->show();
    fake.tray().fire(TrayEvent::LeftDoubleClick);
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().lastText(), "Only available if screen is not frozen !");
    EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
    EXPECT_FALSE(mainWindow.isVisible());

    // Asking whether the screen is frozen builds no frozen screen.
    prog.shellWindows().frozenScreen.drop();
    mainWindow.hide();
    fake.tray().fire(TrayEvent::LeftDoubleClick);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_FALSE(prog.shellWindows().frozenScreen.exists());
}

TEST_F(MainWindowTest, TheTargetIsTheWindowTheUserLastWorkedInWhenTurningToOurMenu) {
    MainWindow& mainWindow = start();
    const platform::WindowId& target = prog.capture.targetWindow;
    // A click on the icon, work in another program, then the tray menu.
    fake.desktop().lastForeign = 77;
    fake.tray().fire(TrayEvent::MouseMove);
    EXPECT_EQ(target, 77u);
    fake.desktop().lastForeign = 88;
    fake.tray().fire(TrayEvent::RightButtonUp);
    EXPECT_EQ(target, 88u);
    mainWindow.trayMenu->close();

    // The window's own right click, as without a tray.
    fake.desktop().lastForeign = 99;
    rightClick(mainWindow);
    EXPECT_EQ(target, 99u);
}

TEST_F(MainWindowTest, MenuWatcherClosesTheMenuOnlyForAPressBesideIt) {
    MainWindow& mainWindow = start();
    fake.desktop().foreground = 5;
    fake.desktop().windows[5].frame = QRect(0, 0, 300, 300);
    // A press on a menu item (no cursor given), within the front window, beside it.
    const std::pair<std::optional<QPoint>, bool> rows[] = {
        {std::nullopt, true}, {QPoint(100, 700), false}, {QPoint(500, 700), true}};
    for (const auto& [cursor, menuStaysOpen] : rows) {
        SCOPED_TRACE(cursor.value_or(QPoint()).x());
        fake.desktop().leftButton = false;
        fake.tray().fire(TrayEvent::RightButtonUp);
        ASSERT_TRUE(mainWindow.trayMenu->isVisible());
        fake.clock().advance(50);
        EXPECT_TRUE(mainWindow.trayMenuWatch->isActive()) << "no press yet";

        fake.desktop().cursor = cursor.value_or(mainWindow.trayMenu->geometry().center());
        fake.desktop().leftButton = true;
        fake.clock().advance(10);
        EXPECT_EQ(mainWindow.trayMenu->isVisible(), menuStaysOpen);
        EXPECT_FALSE(mainWindow.trayMenuWatch->isActive());
        mainWindow.trayMenu->close();
    }
}

TEST_F(MainWindowTest, ExitAndExitProgramEndAtOnceClosingTheWindowEndsInOrder) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        fakes::FakePlatform platform;
        Program run;
        MainWindow& mainWindow = run.shellWindows().mainWindow.get();
        run.shellWindows().frozenScreen->show();
        const std::function<void()> ends[] = {
            [&] { mainWindow.exitItem->trigger(); },
            [&] { clickLabel(mainWindow.exitLabel); },
            [&] { mainWindow.close(); },
        };
        ASSERT_TRUE(platform.tray().shown);
        QTimer::singleShot(0, ends[way]);
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        EXPECT_EQ(QCoreApplication::exec(), 0);
        EXPECT_FALSE(platform.tray().shown);
        // Only an orderly close hides the frozen screen and releases both default hotkeys.
        const bool orderly = way == 2;
        EXPECT_EQ(platform.hotkeys().registered.isEmpty(), orderly);
        EXPECT_EQ(run.shellWindows().frozenScreen->isVisible(), !orderly);
    }
}

TEST_F(MainWindowTest, HelpReportsAFailedLaunchByItsResult) {
    MainWindow& mainWindow = start();
    const std::pair<int, QStringList> rows[] = {{2, {"File not found !"}},
                                                {30, {"DDE bussy!"}},
                                                {0, {""}},
                                                {platform::shellresult::LaunchOk, {}}};
    for (const auto& [result, texts] : rows) {
        SCOPED_TRACE(result);
        fake.dialogs().messages.clear();
        fake.shell().result = result;
        mainWindow.helpItem->trigger();
        EXPECT_TRUE(fake.shell().opened.back().endsWith("/QuorvallineHelp.chm"));
        QStringList shown;
        for (const auto& message : fake.dialogs().messages)
            shown << message.text;
        EXPECT_EQ(shown, texts);
    }
}

// The lowest row of a label's text, in the label's device pixels at a scale factor.
int lowestInkRow(QLabel* label, qreal scale) {
    QPixmap drawn(
        QSize(int(std::ceil(label->width() * scale)), int(std::ceil(label->height() * scale))));
    drawn.setDevicePixelRatio(scale);
    drawn.fill(Qt::transparent);
    label->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    const QImage image = drawn.toImage();
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return y;
    return -1;
}

// The descenders of "g" and "y" lie inside the window at every scale.
TEST_F(MainWindowTest, TheLabelsTextFitsInsideTheWindow) {
    MainWindow& window = start();
    for (QLabel* label : {window.exitLabel, window.showInTrayLabel}) {
        for (qreal scale : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(::testing::Message() << label->text().toStdString() << " at " << scale);
            const int row = lowestInkRow(label, scale);
            ASSERT_GE(row, 0) << "no text drawn";
            EXPECT_LT(row, int(label->height() * scale) - 1) << "cut by the label's own edge";
            const qreal top = label->mapTo(&window, QPoint(0, 0)).y() * scale;
            EXPECT_LE(top + row + 1, window.height() * scale) << "cut by the window's edge";
        }
    }
}

}  // namespace
}  // namespace qv::shell
