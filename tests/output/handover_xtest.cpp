// Handing the capture to other programs on a real X server: the clipboard as other programs read
// it, the mail program as xdg-email starts it, and the pasting application in front of the
// frozen screen.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <utility>
#include <vector>

#include "app/program.h"
#include "fakes/fakeclock.h"
#include "fakes/fakeplatform.h"
#include "options/windows.h"
#include "output/saveerror.h"
#include "output/windows.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/xdgmail.h"
#include "platform/linux/xdgshell.h"
#include "shell/windows.h"
#include "support/environment.h"
#include "support/xvfbtest.h"

namespace qv::output {
namespace {

using testsupport::Environment;

// Time moves only when the code waits, as in the other tests; a wait also lets the X server and
// the programs on it go on until the test's condition holds, as a real wait of that length would.
class WaitingClock : public fakes::FakeClock {
public:
    void sleep(int ms) override {
        FakeClock::sleep(ms);
        if (until)
            testsupport::XServer::waitFor(
                [this] {
                    QCoreApplication::processEvents();
                    return until();
                },
                30000);
    }
    std::function<bool()> until;
};

class HandoverX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        testsupport::XServer::Options options;
        options.size = QSize(320, 240);
        options.windowManager = true;
        startServer(options);
        // The desktop helpers get a desktop of their own: no mail program, browser or handler
        // of this machine decides what the tests see. Set once the window manager runs, which
        // reads its own configuration.
        ASSERT_TRUE(home_.isValid());
        writeFile(home_.filePath("mailcap"), {});
        environment_.set("XDG_CURRENT_DESKTOP", QStringLiteral("X-Generic"));
        environment_.set("HOME", home_.path());
        environment_.set("XDG_DATA_HOME", home_.filePath("data"));
        environment_.set("XDG_DATA_DIRS", home_.filePath("system"));
        environment_.set("XDG_CONFIG_HOME", home_.filePath("config"));
        environment_.set("XDG_CONFIG_DIRS", home_.filePath("system"));
        environment_.set("XDG_CACHE_HOME", home_.filePath("cache"));
        environment_.set("MAILCAPS", home_.filePath("mailcap"));
        environment_.set("BROWSER", QStringLiteral("false"));
        // A red desktop, so that the snapshot differs from any program's window.
        const uint32_t red = 0xc03020;
        xcb_change_window_attributes(server->connection(), server->x().root(), XCB_CW_BACK_PIXEL,
                                     &red);
        xcb_clear_area(server->connection(), 0, server->x().root(), 0, 0, 0, 0);
        server->x().sync();
        fake_.emplace();
        auto clock = std::make_unique<WaitingClock>();
        clock_ = clock.get();
        fake_->services().clock = std::move(clock);
        fake_->services().shell = std::make_unique<platform::XdgShell>();
        fake_->services().desktop = std::make_unique<platform::X11Desktop>();
        fake_->services().clipboard = std::make_unique<platform::QtClipboard>();
        fake_->services().process = std::make_unique<platform::QtProcess>();
        // Long enough for xdg-email to finish on a loaded machine, so its answer is seen.
        fake_->services().mail = std::make_unique<platform::XdgMail>(60000);
        prog_ = std::make_unique<Program>();
        prog_->optionsWindows().optionsDialog.get();  // its load reads the settings
        options::Settings& settings = prog_->options.settings;
        settings.autoCopy = false;
        settings.autoPopupMenu = false;
        settings.releaseAfterCapture = false;
        shellWindows().mainWindow->hide();
        prog_->output.programFolder = QStringLiteral(QV_BIN_DIR);
        shellWindows().mainWindow->captureScreenItem->trigger();
        ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.desktopFrozen; }));
        capture_ = prog_->capture.buffer.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(capture_.size(), QSize(320, 240));
    }
    void TearDown() override {
        prog_.reset();
        fake_.reset();
        XvfbTest::TearDown();
    }

    shell::Windows& shellWindows() { return prog_->shellWindows(); }

    struct Run {
        int exitCode = -1;
        QByteArray output;
    };
    // Runs another program on the server while this one keeps handling events, as a program
    // that reads our clipboard needs.
    Run runAlongside(const QString& program, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), server->display());
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        const bool ended = processUntil(
            [&] { return process.state() == QProcess::NotRunning || process.waitForFinished(5); },
            30000);
        if (!ended || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput()};
    }
    Run readClipboard(const char* type) {
        return runAlongside(
            QStringLiteral("xclip"),
            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
             QString::fromLatin1(type), QStringLiteral("-o")});
    }

    static void writeFile(const QString& path, const QByteArray& content, bool executable = false) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    // Email To... with the name and format typed into the dialog and OK pressed.
    void sendByEmail(const QString& name, const QString& extension) {
        shellWindows().mainWindow->emailItem->trigger();
        EmailDialog& dialog = prog_->outputWindows().emailDialog.get();
        ASSERT_TRUE(processUntil([&] { return dialog.isVisible(); }));
        dialog.fileNameEdit->setText(name);
        dialog.formatCombo->setCurrentText(extension);
        dialog.okButton->click();
    }
    fakes::FakeDialogs& dialogs() { return fake_->dialogs(); }

    // How many pixels of rect on the screen now differ from the snapshot.
    int changedPixels(const QRect& rect) {
        const QImage now = platform::desktop().grab(rect).convertToFormat(QImage::Format_RGB32);
        const QImage then = capture_.copy(rect);
        int changed = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x)
                changed += now.pixel(x, y) != then.pixel(x, y);
        }
        return changed;
    }
    // The managed windows of xlogo on the server.
    int xlogoWindows() const {
        int count = 0;
        const auto x = server->x();
        for (quint32 w : x.property32(x.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW))
            count += platform::desktop().windowTitle(w) == QLatin1String("xlogo");
        return count;
    }

    // The desktop as the window manager keeps it, for a failed check: the active window, then
    // every managed window bottom to top with its states.
    std::string desktopState() const {
        const auto x = server->x();
        const auto describe = [&](quint32 window) {
            QString text = QStringLiteral("0x%1 \"%2\"")
                               .arg(window, 0, 16)
                               .arg(platform::desktop().windowTitle(window));
            for (quint32 state : x.property32(window, "_NET_WM_STATE", XCB_ATOM_ATOM)) {
                platform::x11::Reply<xcb_get_atom_name_reply_t> name(
                    xcb_get_atom_name_reply(x.get(), xcb_get_atom_name(x.get(), state), nullptr));
                if (name) {
                    text += QLatin1Char(' ') +
                            QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                                xcb_get_atom_name_name_length(name.get()));
                }
            }
            return text;
        };
        const auto active = x.property32(x.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
        QString text = QStringLiteral("active: ") +
                       (active.empty() ? QStringLiteral("none") : describe(active.front())) +
                       QStringLiteral("; stacking:");
        for (quint32 w : x.property32(x.root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW))
            text += QStringLiteral(" [") + describe(w) + QLatin1Char(']');
        return text.toStdString();
    }

    QTemporaryDir home_;
    Environment environment_;
    WaitingClock* clock_ = nullptr;
    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
    QImage capture_;
};

TEST_F(HandoverX, CopyToClipboardOffersTheCaptureAsPngToOtherPrograms) {
    const Run before = readClipboard("TARGETS");
    EXPECT_FALSE(before.exitCode == 0 && before.output.contains("image/png"))
        << before.output.data();

    shellWindows().mainWindow->copyItem->trigger();

    const Run png = readClipboard("image/png");
    ASSERT_EQ(png.exitCode, 0);
    const QImage pasted = QImage::fromData(png.output, "PNG").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(pasted, capture_);
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
}

TEST_F(HandoverX, EmailStartsTheMailProgramWithTheSavedFileAttached) {
    const QString folder = home_.filePath("mail shots");
    QDir().mkpath(folder);
    prog_->options.settings.saveFolder = folder;
    const QString record = home_.filePath("mailed");
    const QString recorder = home_.filePath("recorder");
    writeFile(recorder, "#!/bin/sh\nprintf '%s' \"$1\" > '" + record.toLocal8Bit() + "'\n", true);
    environment_.set("MAILER", recorder);

    sendByEmail(QStringLiteral("my capture"), QStringLiteral(".png"));

    QFile recorded(record);
    ASSERT_TRUE(processUntil([&] { return recorded.exists() && recorded.size() > 0; }))
        << qPrintable(dialogs().lastText());
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    const QString url = QString::fromLocal8Bit(recorded.readAll());
    const QString prefix = QStringLiteral("mailto:?attach=");
    ASSERT_TRUE(url.startsWith(prefix)) << qPrintable(url);
    const QString attached = QUrl::fromPercentEncoding(url.mid(prefix.size()).toUtf8());
    EXPECT_EQ(attached, QDir(folder).filePath("my capture.png"));
    EXPECT_EQ(QImage(attached).convertToFormat(QImage::Format_RGB32), capture_);
    EXPECT_TRUE(dialogs().messages.empty()) << qPrintable(dialogs().lastText());
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
}

TEST_F(HandoverX, EmailWithoutAMailProgramSaysSoAndKeepsTheFile) {
    prog_->options.settings.saveFolder = home_.path();
    sendByEmail(QStringLiteral("unsent"), QStringLiteral(".bmp"));
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_TRUE(dialogs().lastText().startsWith(
        QStringLiteral("Error: %1  No mail program is set up on this desktop")
            .arg(errornumber::MailFailed)))
        << qPrintable(dialogs().lastText());
    const QString file = home_.filePath("unsent.bmp");
    EXPECT_TRUE(dialogs().lastText().contains(file));
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), capture_);
}

TEST_F(HandoverX, ThePastingApplicationShowsInFrontOfTheFrozenScreenAndComesBackRestored) {
    options::Settings& settings = prog_->options.settings;
    settings.pastingAppPath = QStringLiteral("xlogo");
    settings.pastingLaunch = options::PastingLaunch::RestoreExisting;
    platform::Desktop& desktop = platform::desktop();
    // The wait ends as the program's five seconds would: with another window in front than
    // the one the freeze found there, which the window manager may not have replaced yet.
    clock_->until = [&] {
        const platform::WindowId active = desktop.foregroundWindow();
        return active != 0 && !desktop.isOwnWindow(active) &&
               active != prog_->captureState.frozenForeground;
    };
    shellWindows().mainWindow->pastingApplicationItem->trigger();

    const platform::WindowId pasting = prog_->output.pastingAppWindow;
    ASSERT_NE(pasting, 0u) << qPrintable(dialogs().lastText()) << "\n" << desktopState();
    EXPECT_EQ(desktop.windowTitle(pasting), "xlogo");
    EXPECT_EQ(desktop.foregroundWindow(), pasting);
    EXPECT_EQ(clock_->sleeps, std::vector<int>{5000});
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
    // Its own pixels show at its place, not the snapshot the frozen screen holds.
    QRect place;
    ASSERT_TRUE(processUntil([&] {
        place = desktop.windowFrame(pasting).intersected(QRect(0, 0, 320, 240));
        return !place.isEmpty() && changedPixels(place) > place.width() * place.height() / 2;
    })) << changedPixels(place)
        << " of " << place.width() * place.height();

    // Minimised and asked for again, the same window comes back and nothing new starts.
    ASSERT_EQ(server->run("xdotool", {"windowminimize", QString::number(pasting)}), 0);
    ASSERT_TRUE(processUntil([&] { return desktop.windowFrame(pasting).isEmpty(); }));
    clock_->sleeps.clear();
    shellWindows().mainWindow->pastingApplicationItem->trigger();
    ASSERT_TRUE(processUntil([&] {
        place = desktop.windowFrame(pasting).intersected(QRect(0, 0, 320, 240));
        return !place.isEmpty() && desktop.foregroundWindow() == pasting &&
               changedPixels(place) > place.width() * place.height() / 2;
    })) << desktopState();
    EXPECT_TRUE(clock_->sleeps.empty());
    EXPECT_EQ(prog_->output.pastingAppWindow, pasting);
    EXPECT_EQ(xlogoWindows(), 1);
    EXPECT_TRUE(dialogs().messages.empty()) << qPrintable(dialogs().lastText());
    EXPECT_TRUE(shellWindows().frozenScreen->isVisible());
}

// xlogo does not say which process it is. Once it ended, the X server gives the next program
// that connects the same ids: another xlogo, not started by us, comes up under the id of the
// window we remembered. Asked for the pasting application, we start a new copy rather than
// bring up that stranger.
TEST_F(HandoverX, AStrangerUnderTheIdOfAnEndedPastingApplicationIsNotBroughtBack) {
    options::Settings& settings = prog_->options.settings;
    settings.pastingAppPath = QStringLiteral("xlogo");
    settings.pastingLaunch = options::PastingLaunch::RestoreExisting;
    platform::Desktop& desktop = platform::desktop();
    platform::WindowId stranger = 0;
    // The five seconds end with a program's window in front that is neither ours, nor the one
    // the freeze found there, nor the stranger.
    clock_->until = [&] {
        const platform::WindowId active = desktop.foregroundWindow();
        return active != 0 && !desktop.isOwnWindow(active) && active != stranger &&
               active != prog_->captureState.frozenForeground;
    };
    shellWindows().mainWindow->pastingApplicationItem->trigger();
    const platform::WindowId pasting = prog_->output.pastingAppWindow;
    ASSERT_NE(pasting, 0u) << qPrintable(dialogs().lastText()) << "\n" << desktopState();
    ASSERT_EQ(desktop.windowTitle(pasting), "xlogo");

    // The program ends: the server closes its connection, and with it every window it made.
    xcb_connection_t* c = server->connection();
    const auto exists = [c](xcb_window_t w) {
        return platform::x11::Reply<xcb_get_window_attributes_reply_t>(
                   xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr)) !=
               nullptr;
    };
    xcb_kill_client(c, static_cast<xcb_window_t>(pasting));
    ASSERT_TRUE(processUntil([&] { return !exists(static_cast<xcb_window_t>(pasting)); }));
    QProcess other;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), server->display());
    other.setProcessEnvironment(env);
    other.start(QStringLiteral("xlogo"), {});
    ASSERT_TRUE(processUntil([&] { return !desktop.windowFrame(pasting).isEmpty(); }))
        << "the other xlogo did not come up under the ended one's id; " << desktopState();
    stranger = pasting;

    clock_->sleeps.clear();
    shellWindows().mainWindow->pastingApplicationItem->trigger();
    EXPECT_EQ(clock_->sleeps, std::vector<int>{5000}) << "a new copy is waited for";
    const platform::WindowId started = prog_->output.pastingAppWindow;
    EXPECT_NE(started, 0u) << qPrintable(dialogs().lastText()) << "\n" << desktopState();
    EXPECT_NE(started, stranger);
    EXPECT_EQ(desktop.windowTitle(started), "xlogo");
    EXPECT_EQ(xlogoWindows(), 2);
    other.kill();
    other.waitForFinished();
}

}  // namespace
}  // namespace qv::output
