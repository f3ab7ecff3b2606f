// The program itself started where there is no X display, on a Wayland session, and how it
// connects to the display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <optional>

#include "support/xvfbtest.h"

namespace qv::shell {
namespace {

const QString kProgram = QStringLiteral(QV_BIN_DIR "/quorvalline");
const QByteArray kWaylandText =
    "On a Wayland session Quorvalline runs on X11 through XWayland: it cannot see other "
    "programs' windows nor hold global hotkeys.";

// The environment of a user session with its own, empty settings and no platform chosen.
QProcessEnvironment sessionEnvironment(const QTemporaryDir& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    return env;
}

TEST(DisplayX, WithoutADisplayItSaysSoAndFails) {
    QTemporaryDir home;
    const struct {
        const char* name;
        std::optional<QString> display;
    } cases[] = {{"DISPLAY unset", std::nullopt}, {"DISPLAY naming no server", ":nonexistent"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = sessionEnvironment(home);
        if (c.display)
            env.insert("DISPLAY", *c.display);
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(kProgram, {});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_NE(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError(), "quorvalline: cannot open the display\n");
    }
}

class WaylandX : public testsupport::XvfbTest {};
using ConnectionX = testsupport::XvfbTest;

// The program asks for the display before Qt connects, and holds that connection until Qt has
// its own: a server that lost its last client in between would reset and drop Qt's. The server
// gives each new client the lowest free slot: with the highest one taken here, the probe's
// comes next and Qt's after it.
TEST_F(ConnectionX, QtConnectsWhileTheDisplayProbeStillHoldsItsConnection) {
    startServer();
    if (HasFatalFailure())
        return;
    const auto slotOf = [mask = xcb_get_setup(server->connection())->resource_id_mask](
                            uint32_t id) { return id / (mask + 1); };
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> last(
        xcb_connect(server->display().toLatin1().constData(), nullptr), &xcb_disconnect);
    const uint32_t lastSlot = slotOf(xcb_get_setup(last.get())->resource_id_base);
    QTemporaryDir home;
    QProcessEnvironment env = sessionEnvironment(home);
    env.insert("DISPLAY", server->display());
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(kProgram, {});
    uint32_t qtSlot = 0;
    processUntil(
        [&] {
            xcb_connection_t* c = server->connection();
            const platform::x11::Reply<xcb_query_tree_reply_t> tree(
                xcb_query_tree_reply(c, xcb_query_tree(c, server->x().root()), nullptr));
            for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i)
                qtSlot = std::max(qtSlot, slotOf(xcb_query_tree_children(tree.get())[i]));
            return qtSlot > lastSlot;
        },
        60000);
    EXPECT_EQ(qtSlot, lastSlot + 2) << "Qt connected after the probe had let go";
    program.kill();
    program.waitForFinished();
}

TEST_F(WaylandX, OnAWaylandSessionItRunsOnX11AndSaysWhatItCannotDoOnce) {
    startServer();
    if (HasFatalFailure())
        return;
    QTemporaryDir home;
    QProcessEnvironment env = sessionEnvironment(home);
    env.insert("DISPLAY", server->display());
    env.insert("WAYLAND_DISPLAY", "wayland-none");
    env.insert("XDG_SESSION_TYPE", "wayland");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(kProgram, {});
    ASSERT_TRUE(program.waitForStarted());
    QByteArray stderrText;
    const auto boxShown = [&] {
        return server->run("xdotool", {"search", "--onlyvisible", "--name", "^ Quorvalline $"}) ==
               0;
    };
    const QByteArray said = "quorvalline: " + kWaylandText + "\n";
    const bool shown = processUntil(
        [&] {
            stderrText += program.readAllStandardError();
            return program.state() != QProcess::Running ||
                   (stderrText.contains(said) && boxShown());
        },
        60000);
    EXPECT_TRUE(shown && program.state() == QProcess::Running)
        << "no message box or no line on stderr: " << stderrText.toStdString();
    EXPECT_EQ(stderrText.count(said), 1) << stderrText.toStdString();
    program.kill();
    program.waitForFinished();
}

}  // namespace
}  // namespace qv::shell
