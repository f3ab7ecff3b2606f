// The program on a private X server, driven like a user would: with and without a tray host.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <optional>

namespace {

// Runs a helper program to its end and returns what it wrote.
QString run(const QString& program, const QStringList& arguments, const QString& display) {
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Polls until the condition holds or the time is up.
bool eventually(const std::function<bool()>& condition, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

class Session {
public:
    explicit Session(bool trayHost) {
        const QString displayFile = dir_.filePath("display");
        xvfb_.setStandardOutputFile(displayFile);
        xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x700x24", "-nolisten", "tcp"});
        eventually([&] { return QFile(displayFile).size() > 0; });
        QFile f(displayFile);
        f.open(QIODevice::ReadOnly);
        display_ = ":" + QString::fromLatin1(f.readAll()).trimmed();
        if (trayHost)
            startHelper(trayer_, "trayer",
                        {"--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                         "24", "--SetDockType", "true"});
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        env.remove("QT_QPA_PLATFORM");
        program_.setProcessEnvironment(env);
        program_.setProcessChannelMode(QProcess::MergedChannels);
        if (trayHost)
            eventually([&] { return !windows("trayer").isEmpty(); });
        program_.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
        program_.waitForStarted();
    }
    ~Session() {
        for (QProcess* p : {&program_, &trayer_, &xvfb_}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    // Mapped windows of a class with their screen rectangles.
    QList<QRect> windows(const QString& windowClass) const {
        QList<QRect> found;
        const QStringList ids =
            run("xdotool", {"search", "--onlyvisible", "--class", windowClass}, display_)
                .split('\n', Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            const QString shell = run("xdotool", {"getwindowgeometry", "--shell", id}, display_);
            int x = 0, y = 0, w = 0, h = 0;
            for (const QString& line : shell.split('\n')) {
                const QStringList kv = line.split('=');
                if (kv.size() != 2)
                    continue;
                const int v = kv[1].toInt();
                if (kv[0] == "X")
                    x = v;
                if (kv[0] == "Y")
                    y = v;
                if (kv[0] == "WIDTH")
                    w = v;
                if (kv[0] == "HEIGHT")
                    h = v;
            }
            found.append(QRect(x, y, w, h));
        }
        return found;
    }
    std::optional<QRect> window(const std::function<bool(const QRect&)>& which) const {
        for (const QRect& r : windows("quorvalline"))
            if (which(r))
                return r;
        return std::nullopt;
    }
    static bool isTrayIcon(const QRect& r) { return r.width() <= 32 && r.height() <= 32; }
    static bool isMainWindow(const QRect& r) { return r.size() == QSize(400, 229); }
    static bool isMenu(const QRect& r) { return r.height() > 100 && !isMainWindow(r); }

    void click(QPoint at, int button) {
        run("xdotool",
            {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
             QString::number(button)},
            display_);
    }

    QProcess program_;

private:
    void startHelper(QProcess& p, const QString& name, const QStringList& arguments) {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        p.setProcessEnvironment(env);
        p.start(name, arguments);
        p.waitForStarted();
    }

    QTemporaryDir dir_;
    QProcess xvfb_;
    QProcess trayer_;
    QString display_;
};

// The tray menu's items are Help, Info, Exit ... from the top, all of one height.
QPoint exitItem(const QRect& menu) {
    return QPoint(menu.x() + 40, menu.y() + menu.height() * 58 / 190);
}

TEST(StartUpOnX, TrayIconMenuAndExit) {
    Session s(true);
    ASSERT_TRUE(eventually([&] { return s.window(Session::isTrayIcon).has_value(); }))
        << "the icon appears in the tray";
    EXPECT_TRUE(s.window(Session::isMainWindow).has_value()) << "the main window shows";

    const QRect icon = *s.window(Session::isTrayIcon);
    s.click(icon.center(), 3);
    ASSERT_TRUE(eventually([&] { return s.window(Session::isMenu).has_value(); }))
        << "a right click on the icon opens the menu";

    s.click(exitItem(*s.window(Session::isMenu)), 1);
    ASSERT_TRUE(s.program_.waitForFinished(10000)) << "Exit ends the program";
    EXPECT_EQ(s.program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(s.program_.exitCode(), 0);
    EXPECT_FALSE(s.window(Session::isTrayIcon).has_value()) << "the icon is gone";
}

TEST(StartUpOnX, WithoutATrayHostTheWindowStaysReachable) {
    Session s(false);
    ASSERT_TRUE(eventually([&] { return s.window(Session::isMainWindow).has_value(); }));
    QByteArray said;
    ASSERT_TRUE(eventually([&] {
        s.program_.waitForReadyRead(50);
        said += s.program_.readAll();
        return said.contains("no system tray is available");
    }));

    const QRect main = *s.window(Session::isMainWindow);
    s.click(main.center(), 3);
    ASSERT_TRUE(eventually([&] { return s.window(Session::isMenu).has_value(); }))
        << "a right click on the window opens the tray menu";
    s.click(exitItem(*s.window(Session::isMenu)), 1);
    ASSERT_TRUE(s.program_.waitForFinished(10000));
    EXPECT_EQ(s.program_.exitCode(), 0);
}

}  // namespace
