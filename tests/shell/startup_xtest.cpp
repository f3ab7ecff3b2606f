// The program on a private X server, driven like a user would: with and without a tray host.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "support/xserver.h"

namespace qv::testsupport {
namespace {

class StartUpOnX : public ::testing::Test {
protected:
    void start(bool trayHost) {
        server =
            std::make_unique<XServer>(XServer::Options{.size = {1024, 700}, .trayHost = trayHost});
        ASSERT_TRUE(server->error().isEmpty()) << server->error().toStdString();
        env.insert("DISPLAY", server->display());
        auto programEnv = env;
        programEnv.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        programEnv.insert("XDG_RUNTIME_DIR", dir.path());
        programEnv.remove("QT_QPA_PLATFORM");
        program.setProcessEnvironment(programEnv);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
        ASSERT_TRUE(program.waitForStarted());
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
    }

    QString xdotool(const QStringList& arguments) const {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("xdotool", arguments);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The first mapped window of the program whose screen rectangle passes which.
    std::optional<QRect> window(bool (*which)(const QRect&)) const {
        static const QRegularExpression geometry(
            "X=(-?\\d+)\\nY=(-?\\d+)\\nWIDTH=(\\d+)\\nHEIGHT=(\\d+)");
        const QString shell = xdotool({"search", "--onlyvisible", "--class", "quorvalline",
                                       "getwindowgeometry", "--shell", "%@"});
        for (auto it = geometry.globalMatch(shell); it.hasNext();) {
            const auto m = it.next();
            const QRect r(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                          m.captured(4).toInt());
            if (which(r))
                return r;
        }
        return std::nullopt;
    }
    std::optional<QRect> waitForWindow(bool (*which)(const QRect&)) const {
        std::optional<QRect> found;
        XServer::waitFor([&] { return (found = window(which)).has_value(); });
        return found;
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
        const auto menu = waitForWindow(isMenu);
        ASSERT_TRUE(menu) << "a right click opens the tray menu";
        click({menu->x() + 40, menu->y() + menu->height() * 58 / 190}, 1);
        ASSERT_TRUE(program.waitForFinished(10000)) << "Exit ends the program";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<XServer> server;
    QProcess program;
    QTemporaryDir dir;
};

TEST_F(StartUpOnX, TrayIconMenuAndExit) {
    start(true);
    const auto icon = waitForWindow(isTrayIcon);
    ASSERT_TRUE(icon) << "the icon appears in the tray";
    EXPECT_TRUE(window(isMainWindow)) << "the main window shows";
    exitFromMenuAt(icon->center());
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

}  // namespace
}  // namespace qv::testsupport
