#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "shell/forms.h"

namespace qv::shell {
namespace {

using Root = platform::Registry::Root;
const QString kHotkeys = QStringLiteral("Software\\Quorvalline\\Hotkeys");

class StartUp : public fakes::ProgramTest {
protected:
    // A run after the first one: the hotkey table was stored.
    void storeHotkeyTable() { fake.registry().createKey(Root::CurrentUser, kHotkeys); }
    Form1& start() { return prog.shellForms().form1.get(); }
};

TEST_F(StartUp, FirstStartRegistersTheTwoDefaultHotkeysAndNamesThemInTheMenus) {
    Form1& form = start();
    using C = fakes::FakeHotkeys::Combination;
    const QMap<int, C> expected{{0xB001, C{platform::ModControl, 'R'}},
                                {0xB002, C{platform::ModControl, 'F'}}};
    EXPECT_EQ(fake.hotkeys().registered, expected);
    EXPECT_TRUE(prog.options.defaulthotkeys);
    EXPECT_EQ(form.mnuRelease->text(), "Release Desktop   CTRL+R");
    EXPECT_EQ(form.mnuContextRelease->text(), "Release Desktop   CTRL+R");
    EXPECT_EQ(form.mnuFreeze->text(), "Freeze Desktop   CTRL+F");
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

TEST_F(StartUp, LaterStartRegistersNoDefaultHotkey) {
    storeHotkeyTable();
    Form1& form = start();
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
    EXPECT_FALSE(prog.options.defaulthotkeys);
    EXPECT_EQ(form.mnuRelease->text(), "Release Desktop");
    EXPECT_EQ(form.mnuFreeze->text(), "Freeze Desktop             ");
}

TEST_F(StartUp, TakenCombinationsGiveOneMessagePerDefaultHotkey) {
    fake.hotkeys().heldElsewhere = {{platform::ModControl, 'R'}, {platform::ModControl, 'F'}};
    fake.hotkeys().takenError = 1409;
    Form1& form = start();

    const QString cr(QChar(13));
    const QString tail = cr + "Failed ! Hotkey already used by another program ? " + cr + cr;
    ASSERT_EQ(fake.dialogs().messages.size(), 2u);
    EXPECT_EQ(fake.dialogs().messages[0].text,
              "Error: 1409 Registering Hotkey:  Release Desktop  CTRL+R " + tail +
                  "Quorvalline will keep running but the hotkey will not be available !");
    EXPECT_EQ(fake.dialogs().messages[1].text,
              "Error: 1409 Registering Hotkey:  Freeze Desktop CTRL+F" + tail +
                  "Quorvalline  will keep running but the hotkey will not be available !");
    for (const auto& shown : fake.dialogs().messages) {
        EXPECT_EQ(shown.icon, platform::MsgIcon::Critical);
        EXPECT_EQ(shown.title, " Quorvalline ");
    }
    // The captions name the keys all the same, and the program goes on to the tray.
    EXPECT_EQ(form.mnuFreeze->text(), "Freeze Desktop   CTRL+F");
    EXPECT_TRUE(fake.tray().shown);
}

TEST_F(StartUp, MenusAfterStartUp) {
    storeHotkeyTable();
    Form1& form = start();
    struct Row {
        QAction* item;
        const char* caption;
        bool enabled;
    };
    const Row tray[] = {
        {form.mnuhelp, "Help...", true},
        {form.mnuinfo, "Info...", true},
        {form.mnuExit, "Exit", true},
        {form.mnuOptions, "Options...", true},
        {form.mnucapturescreen, "Capture Entire Screen", true},
        {form.mnuactivewindow, "Capture Active Window", true},
        {form.mnuFreeze, "Freeze Desktop             ", true},
        {form.mnuRelease, "Release Desktop", false},
    };
    const Row context[] = {
        {form.mnuaddobject, "Add Objects...", true},
        {form.mnurectangle, "Capture Rectangular Area          ", true},
        {form.mnuDraw, "Capture Circular Area", true},
        {form.mnuSaveToDefDir, "Save to Default Directory", true},
        {form.mnuSaveas, "Save As...", true},
        {form.mnuDefPrinter, "Print to Default Printer", true},
        {form.mnuPrint, "Print...", true},
        {form.mnupagesetup, "Page Setup...", true},
        {form.mnuOpenContainerApp, "Start Default Application( lowriter )", true},
        {form.mnupaste, "Paste from Clipboard", true},
        {form.mnucopytoclipbrd, "Copy to Clipboard ( Autocopy Enabled )  ", true},
        {form.mnuemail, "Email To...", true},
        {form.mnuContextRelease, "Release Desktop", true},
    };
    auto check = [](QMenu* menu, const auto& rows) {
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), 2 * std::size(rows) - 1) << "a separator between every two";
        for (size_t i = 0; i < std::size(rows); ++i) {
            SCOPED_TRACE(rows[i].caption);
            EXPECT_EQ(items[2 * i], rows[i].item);
            if (i > 0)
                EXPECT_TRUE(items[2 * i - 1]->isSeparator());
            EXPECT_EQ(rows[i].item->text(), rows[i].caption);
            EXPECT_EQ(rows[i].item->isEnabled(), rows[i].enabled);
        }
    };
    check(form.mnuTray, tray);
    check(form.mnuContext, context);
    EXPECT_EQ(form.mnuTray->title(), "File");
    EXPECT_EQ(form.mnuContext->title(), "Context");

    fake.tray().fire(platform::TrayEvent::RightButtonUp);
    EXPECT_EQ(form.mnuTray->defaultAction(), form.mnuFreeze);
    EXPECT_TRUE(form.mnuTray->isVisible());
}

TEST_F(StartUp, ReleaseAfterCaptureStoredOnForcesAutocopyCheckedAndDisabled) {
    for (const bool release : {true, false}) {
        SCOPED_TRACE(release);
        fakes::FakePlatform platform;
        const QString autoKey = "Software\\Quorvalline\\Auto";
        platform.registry().setValue(Root::CurrentUser, autoKey, "AutoCopyToClibrd",
                                     QByteArray("0\0", 2));
        platform.registry().setValue(Root::CurrentUser, autoKey, "AutoReleaseDesktop",
                                     QByteArray(release ? "1\0" : "0\0", 2));
        platform.registry().createKey(Root::CurrentUser, "Software\\Quorvalline\\Save");
        Program run;
        run.shellForms().form1.get();
        auto& options = run.optionsForms().form4.get();
        EXPECT_EQ(run.options.autoreleasedesktop, release);
        EXPECT_EQ(options.Check2->isChecked(), release);
        EXPECT_EQ(options.Check2->isEnabled(), !release);
    }
}

TEST_F(StartUp, DisableHotkeysStoredOnRegistersNothing) {
    storeHotkeyTable();
    fake.registry().setValue(Root::CurrentUser, kHotkeys, "DisableHotkeys", QByteArray("1\0", 2));
    fake.registry().setValue(Root::CurrentUser, kHotkeys, "Capture Entire Screen",
                             QByteArray("CTRL+E\0", 7));
    prog.optionsForms().form5->Check1->setChecked(true);
    start();
    EXPECT_TRUE(prog.options.disablehotkeys);
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty());
}

TEST_F(StartUp, LocaleSetsTheUnits) {
    struct Row {
        QString measurement;
        const char* unitsign;
        const char* units;
    };
    const Row rows[] = {{"0", "mm", "Metric"},
                        {"1", "\"", "US"},
                        {QString("1") + QChar(0) + "x", "\"", "US"},
                        {"2", "", ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.measurement.toStdString());
        fakes::FakePlatform platform;
        platform.locale().measurement = row.measurement;
        platform.locale().separator = QString(",") + QChar(0);
        Program run;
        run.shellForms().form1.get();
        EXPECT_EQ(run.output.unitsign, row.unitsign);
        EXPECT_EQ(run.output.currentunits, row.units);
        EXPECT_EQ(run.output.localeunits, row.units);
        EXPECT_EQ(run.output.decimalseparator, ",");
    }
}

TEST_F(StartUp, StartWithWindowsValueChecksItsBox) {
    fake.registry().setValue(Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                             "Quorvalline", QByteArray("/opt/q/quorvalline\0", 19));
    start();
    EXPECT_TRUE(prog.optionsForms().form4->Check6->isChecked());
}

TEST_F(StartUp, StateAndTrayRecordAfterStartUp) {
    Form1& form = start();
    EXPECT_TRUE(prog.shell.rectangularmode);
    EXPECT_FALSE(prog.shell.circularmode);
    EXPECT_FALSE(prog.shell.desktopfrozen);
    EXPECT_FALSE(prog.shell.programpath.isEmpty());
    EXPECT_TRUE(prog.shell.helpfile.endsWith("/QuorvallineHelp.chm"));
    EXPECT_TRUE(form.Text3->text().isEmpty());
    EXPECT_FALSE(form.Command1->isVisible());
    EXPECT_TRUE(fake.tray().shown);
    EXPECT_EQ(fake.tray().tip, "Quorvalline V8");
    EXPECT_TRUE(form.Timer4->isActive());
    EXPECT_EQ(form.Timer4->interval(), 4000);
    EXPECT_FALSE(form.Timer2->isActive());
    EXPECT_FALSE(prog.shellForms().form2->Timer1->isActive());
}

TEST_F(StartUp, WindowShowsForFiveSecondsThenHidesIntoTheTray) {
    Form1& form = start();
    EXPECT_TRUE(form.isVisible());
    fake.clock().advance(4999);
    EXPECT_TRUE(form.isVisible());
    fake.clock().advance(1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer3->isActive());
}

TEST_F(StartUp, WithoutATrayTheWindowStays) {
    fake.tray().available = false;
    Form1& form = start();
    fake.clock().advance(10000);
    EXPECT_TRUE(form.isVisible());

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10));
    QCoreApplication::sendEvent(&form, &click);
    EXPECT_TRUE(form.mnuTray->isVisible()) << "a right click on the window opens the tray menu";
}

}  // namespace
}  // namespace qv::shell
