#pragma once

#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcess;
class QTemporaryDir;

namespace qv::testsupport {

class XServer;

// The built program run as its own process on a private X server, seen through xdotool.

struct XWindow {
    QString id;
    QRect rect;
};

// base with the program's settings and runtime files in dir.
QProcessEnvironment programEnvironment(QProcessEnvironment base, const QTemporaryDir& dir);
// base as a desktop session of its own on display: home, settings, runtime and temporary
// files in dir (its "tmp" folder has to exist), and nothing of the session the tests run in.
QProcessEnvironment isolatedEnvironment(QProcessEnvironment base, const QString& display,
                                        const QTemporaryDir& dir);
// Starts the built program in env, its errors merged into its output; false when it did not.
bool startBuiltProgram(QProcess& program, const QProcessEnvironment& env);

// What xdotool printed, run in env (it is given ten seconds).
QString xdotool(const QProcessEnvironment& env, const QStringList& arguments);
// The first mapped window of the program whose screen rectangle passes which.
std::optional<XWindow> programWindow(const QProcessEnvironment& env, bool (*which)(const QRect&));
// The window once it has stopped moving: a tray host lays out a new icon after docking it,
// and a menu may be placed after it is mapped; a click must land where it ends up.
std::optional<XWindow> settledProgramWindow(const QProcessEnvironment& env,
                                            bool (*which)(const QRect&));

// Settings in the registry file at registryPath that save PNG files into folder without
// asking, numbered; CTRL+E captures the screen and CTRL+S saves it.
void writeCaptureAndSaveSettings(const QString& registryPath, const QString& folder);
// Presses CTRL+E until frozenShown says the capture shows. Presses made before the program has
// taken its hotkeys go nowhere; a save pressed before the capture would rightly be answered
// with a box asking for one, and the box would keep every later hotkey from running.
bool captureTheScreen(const XServer& server, const std::function<bool()>& frozenShown);

}  // namespace qv::testsupport
