// The program on a private X server, driven like a user would: with and without a tray host.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <optional>

#include "support/programwindows.h"
#include "support/xserver.h"

namespace qv::testsupport {
namespace {

class StartUpOnX : public ::testing::Test {
protected:
    void start(bool trayHost, bool windowManager = false) {
        server = std::make_unique<XServer>(XServer::Options{
            .size = {1024, 700}, .windowManager = windowManager, .trayHost = trayHost});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        env.insert("DISPLAY", server->display());
        auto programEnv = programEnvironment(env, dir);
        programEnv.remove("QT_QPA_PLATFORM");
        ASSERT_TRUE(startBuiltProgram(program, programEnv));
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        for (auto& other : others) {
            other->kill();
            other->waitForFinished(3000);
        }
    }
    // Another program's window, titled title, once it shows; 0 when it does not.
    QString startOther(const QString& title, const QString& geometry) {
        auto& other = others.emplace_back(std::make_unique<QProcess>());
        other->setProcessEnvironment(env);
        other->start("xlogo", {"-title", title, "-geometry", geometry});
        QString id;
        XServer::waitFor([&] {
            id = xdotool({"search", "--onlyvisible", "--name", title}).trimmed();
            return !id.isEmpty();
        });
        return id;
    }
    void activate(const QString& id) {
        XServer::waitFor([&] {
            xdotool({"windowactivate", "--sync", id});
            return xdotool({"getactivewindow"}).trimmed() == id;
        });
    }
    // The size of the image the program put on the clipboard, once there is one.
    QSize clipboardImageSize() const {
        QSize size;
        XServer::waitFor([&] {
            QProcess xclip;
            xclip.setProcessEnvironment(env);
            xclip.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
            xclip.waitForFinished(5000);
            size = QImage::fromData(xclip.readAllStandardOutput(), "PNG").size();
            return size.isValid();
        });
        return size;
    }

    QString xdotool(const QStringList& arguments) const {
        return testsupport::xdotool(env, arguments);
    }
    std::optional<QRect> window(bool (*which)(const QRect&)) const {
        const auto found = programWindow(env, which);
        return found ? std::optional(found->rect) : std::nullopt;
    }
    std::optional<QRect> waitForWindow(bool (*which)(const QRect&)) const {
        std::optional<QRect> found;
        XServer::waitFor([&] { return (found = window(which)).has_value(); });
        return found;
    }
    std::optional<QRect> waitForSettledWindow(bool (*which)(const QRect&)) const {
        const auto settled = settledProgramWindow(env, which);
        return settled ? std::optional(settled->rect) : std::nullopt;
    }
    static bool isTrayIcon(const QRect& r) { return r.width() <= 32 && r.height() <= 32; }
    static bool isMainWindow(const QRect& r) { return r.size() == QSize(400, 229); }
    static bool isMenu(const QRect& r) { return r.height() > 100 && !isMainWindow(r); }

    void click(QPoint at, int button) const {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                 QString::number(button)});
    }
    // Right click at, then Exit: the tray menu's third item of thirteen equal rows.
    void exitFromMenuAt(QPoint at) {
        click(at, 3);
        ASSERT_TRUE(waitForWindow(isMenu)) << "a right click opens the tray menu";
        // A click that a busy machine delivered before the menu took its place is tried again.
        bool ended = false;
        for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
            const auto menu = waitForSettledWindow(isMenu);
            if (!menu)
                break;
            click({menu->x() + 40, menu->y() + menu->height() * 58 / 190}, 1);
            ended = program.waitForFinished(5000);
        }
        ASSERT_TRUE(ended || program.waitForFinished(5000)) << "Exit ends the program";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<XServer> server;
    QProcess program;
    std::vector<std::unique_ptr<QProcess>> others;
    QTemporaryDir dir;
};

TEST_F(StartUpOnX, TrayIconMenuAndExit) {
    start(true);
    const auto icon = waitForWindow(isTrayIcon);
    ASSERT_TRUE(icon) << "the icon appears in the tray";
    EXPECT_TRUE(window(isMainWindow)) << "the main window shows";
    exitFromMenuAt(waitForSettledWindow(isTrayIcon).value_or(*icon).center());
    EXPECT_FALSE(window(isTrayIcon)) << "the icon is gone";
}

TEST_F(StartUpOnX, WithoutATrayHostTheWindowStaysReachable) {
    start(false);
    const auto main = waitForWindow(isMainWindow);
    ASSERT_TRUE(main);
    QByteArray said;
    ASSERT_TRUE(XServer::waitFor([&] {
        program.waitForReadyRead(50);
        said += program.readAll();
        return said.contains("no system tray is available");
    }));
    exitFromMenuAt(main->center());
}

// The user works in one window, turns to the menu (clicking the icon first, or, without a
// tray, right-clicking the main window) after working in another: "Capture Active Window"
// takes the other, and the first start's autocopy puts it on the clipboard.
TEST_F(StartUpOnX, CaptureActiveWindowTakesTheWindowLastWorkedIn) {
    for (const bool trayHost : {true, false}) {
        SCOPED_TRACE(trayHost);
        start(trayHost, true);
        const auto main = waitForWindow(isMainWindow);
        ASSERT_TRUE(main);
        const QString before = startOther("before", "200x200+10+450");
        const QString last = startOther("last", "300x120+720+520");
        ASSERT_FALSE(before.isEmpty() || last.isEmpty());
        activate(before);
        QPoint menuAt = main->center();
        if (trayHost) {
            const auto icon = waitForWindow(isTrayIcon);
            ASSERT_TRUE(icon);
            menuAt = icon->center();
            click(menuAt, 1);
        }
        activate(last);
        click(menuAt, 3);
        const auto menu = waitForWindow(isMenu);
        ASSERT_TRUE(menu);
        // The sixth of the eight items.
        click({menu->x() + 40, menu->y() + menu->height() * 130 / 190}, 1);
        const QSize captured = clipboardImageSize();
        EXPECT_GE(captured.width(), 300) << "the frame of the window last worked in";
        EXPECT_LT(captured.height(), 200);
        TearDown();
        others.clear();
    }
}

}  // namespace
}  // namespace qv::testsupport
