#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "fakes/fakeprogram.h"
#include "options/forms.h"
#include "shell/formkit.h"
#include "shell/forms.h"

namespace qv::shell {
namespace {

class Tray : public fakes::ProgramTest {
protected:
    Form1& form = prog.shellForms().form1.get();

    // Runs the program's event loop until something ends it; returns its exit code.
    int runUntilEnded(std::function<void()> action) {
        QTimer::singleShot(0, std::move(action));
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        return QCoreApplication::exec();
    }
};

void sendMouse(QWidget* widget, QEvent::Type type) {
    QMouseEvent event(type, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(Tray, DoubleClickShowsTheWindowUnlessFrozen) {
    form.hide();
    prog.shellForms().form2->show();
    fake.tray().fire(platform::TrayEvent::LeftDoubleClick);
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().lastText(), "Only available if screen is not frozen !");
    EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
    EXPECT_FALSE(form.isVisible());

    prog.shellForms().form2->hide();
    fake.tray().fire(platform::TrayEvent::LeftDoubleClick);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
}

TEST_F(Tray, NotificationsRememberTheWindowInFrontUntilThePointerRests) {
    fake.desktop().lastForeign = 77;
    fake.tray().fire(platform::TrayEvent::MouseMove);
    EXPECT_TRUE(prog.shell.trayhover);
    EXPECT_EQ(prog.shellForms().form3->Text1->text(), "77");

    fake.desktop().lastForeign = 88;
    fake.tray().fire(platform::TrayEvent::RightButtonUp);
    EXPECT_EQ(prog.shellForms().form3->Text1->text(), "77") << "the pointer rests on the icon";

    form.mnuTray->close();
    prog.shell.trayhover = false;
    fake.tray().fire(platform::TrayEvent::RightButtonUp);
    EXPECT_EQ(prog.shellForms().form3->Text1->text(), "88");
}

TEST_F(Tray, NotificationsWhileTheMenuIsOpenAreIgnored) {
    fake.tray().fire(platform::TrayEvent::RightButtonUp);
    ASSERT_TRUE(form.mnuTray->isVisible());
    fake.tray().fire(platform::TrayEvent::MouseMove);
    EXPECT_FALSE(prog.shell.trayhover);
    form.mnuTray->close();
    fake.tray().fire(platform::TrayEvent::MouseMove);
    EXPECT_TRUE(prog.shell.trayhover);
}

TEST_F(Tray, MenuWatcherClosesTheMenuOnlyForAPressBesideIt) {
    fake.desktop().foreground = 5;
    fake.desktop().windows[5].frame = QRect(0, 0, 300, 300);
    struct Row {
        const char* where;
        bool pressOnMenuItem;
        QPoint cursor;
        bool menuStaysOpen;
    };
    const Row rows[] = {{"on a menu item", true, {}, true},
                        {"within the front window", false, QPoint(100, 700), false},
                        {"beside the front window", false, QPoint(500, 700), true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.where);
        fake.desktop().leftButton = false;
        fake.tray().fire(platform::TrayEvent::RightButtonUp);
        ASSERT_TRUE(form.mnuTray->isVisible());
        ASSERT_TRUE(form.Timer2->isActive());
        fake.clock().advance(50);
        EXPECT_TRUE(form.Timer2->isActive()) << "no press yet";

        fake.desktop().cursor =
            row.pressOnMenuItem ? form.mnuTray->geometry().center() : row.cursor;
        fake.desktop().leftButton = true;
        fake.clock().advance(10);
        EXPECT_EQ(form.mnuTray->isVisible(), row.menuStaysOpen);
        EXPECT_FALSE(form.Timer2->isActive());
        form.mnuTray->close();
    }
}

TEST_F(Tray, ExitRemovesTheIconAndEndsTheProgram) {
    ASSERT_TRUE(fake.tray().shown);
    EXPECT_EQ(runUntilEnded([this] { form.mnuExit->trigger(); }), 0);
    EXPECT_FALSE(fake.tray().shown);
    EXPECT_FALSE(fake.hotkeys().registered.isEmpty()) << "no orderly close on Exit";
}

TEST_F(Tray, ExitProgramLabelEndsTheProgram) {
    EXPECT_EQ(runUntilEnded([this] { sendMouse(form.Label3, QEvent::MouseButtonRelease); }), 0);
    EXPECT_FALSE(fake.tray().shown);
}

TEST_F(Tray, ClosingTheWindowEndsInOrder) {
    prog.shellForms().form2->show();
    EXPECT_EQ(runUntilEnded([this] { form.close(); }), 0);
    EXPECT_FALSE(fake.tray().shown);
    EXPECT_FALSE(prog.shellForms().form2->isVisible());
    EXPECT_TRUE(fake.hotkeys().registered.isEmpty()) << "both default hotkeys released";
}

TEST_F(Tray, LabelsLightUpUnderThePointerAndShowInTrayHides) {
    sendMouse(form.Label3, QEvent::MouseMove);
    sendMouse(form.Label4, QEvent::MouseMove);
    EXPECT_EQ(foreColor(form.Label3), kLabelHover);
    EXPECT_EQ(foreColor(form.Label4), kLabelHover);
    EXPECT_EQ(form.Label4->cursor().shape(), Qt::BitmapCursor);
    sendMouse(form.Picture1, QEvent::MouseMove);
    EXPECT_EQ(foreColor(form.Label3), kLabelGrey);
    EXPECT_EQ(foreColor(form.Label4), kLabelGrey);

    sendMouse(form.Label4, QEvent::MouseMove);
    sendMouse(form.Label4, QEvent::MouseButtonRelease);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(foreColor(form.Label4), kLabelGrey);
}

TEST_F(Tray, HelpReportsAFailedLaunchByItsResult) {
    const std::pair<int, const char*> rows[] = {
        {2, "File not found !"},
        {3, "Path not found !"},
        {5, "Access denied !"},
        {8, "No more memory !"},
        {32, "DLL not found !"},
        {26, "Access violation occured !"},
        {27, "Uncomplied or wrong file association !"},
        {28, "DDE Time out !"},
        {29, "DDE transaction failed !"},
        {30, "DDE bussy!"},
        {31, "No such application !"},
        {11, "Corrupt EXE File !"},
        {0, ""},
    };
    for (const auto& [result, text] : rows) {
        SCOPED_TRACE(result);
        fake.dialogs().messages.clear();
        fake.shell().result = result;
        form.mnuhelp->trigger();
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_EQ(fake.dialogs().lastText(), text);
        EXPECT_EQ(fake.dialogs().messages[0].title, " Quorvalline ");
        EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Critical);
    }
    fake.dialogs().messages.clear();
    fake.shell().result = platform::shellresult::LaunchOk;
    form.mnuhelp->trigger();
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_TRUE(fake.shell().opened.back().endsWith("/QuorvallineHelp.chm"));
}

TEST_F(Tray, OptionsAndInfoShowTheirWindows) {
    form.mnuOptions->trigger();
    EXPECT_TRUE(prog.optionsForms().form4->isVisible());
    form.mnuinfo->trigger();
    EXPECT_TRUE(prog.shellForms().form12->isVisible());
}

TEST_F(Tray, AreaModesFromTheContextMenu) {
    form.mnuDraw->trigger();
    EXPECT_TRUE(prog.shell.circularmode);
    EXPECT_FALSE(prog.shell.rectangularmode);
    form.mnurectangle->trigger();
    EXPECT_TRUE(prog.shell.rectangularmode);
    EXPECT_FALSE(prog.shell.circularmode);

    // While an area is still being copied the circle waits and the mode stays.
    prog.shell.areacapturerunning = true;
    prog.shell.contextpopup = true;
    fake.clock().sleeps.clear();
    form.mnuDraw->trigger();
    EXPECT_TRUE(prog.shell.rectangularmode);
    EXPECT_EQ(fake.clock().sleeps, std::vector<int>{1000});
    form.mnurectangle->trigger();
    EXPECT_TRUE(prog.shell.rectangularmode);
    EXPECT_TRUE(prog.shell.desktopfrozen) << "popped by its hotkey, the command freezes first";
}

}  // namespace
}  // namespace qv::shell
