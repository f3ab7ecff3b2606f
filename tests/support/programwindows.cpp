#include "support/programwindows.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "fakes/fakeplatform.h"
#include "options/hotkeystore.h"
#include "options/hotkeytable.h"
#include "options/settingsstore.h"
#include "platform/linux/fileregistry.h"
#include "support/xserver.h"

namespace qv::testsupport {

QProcessEnvironment programEnvironment(QProcessEnvironment base, const QTemporaryDir& dir) {
    base.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    base.insert("XDG_RUNTIME_DIR", dir.path());
    return base;
}

QProcessEnvironment isolatedEnvironment(QProcessEnvironment base, const QString& display,
                                        const QTemporaryDir& dir) {
    base.insert("DISPLAY", display);
    base.insert("HOME", dir.path());
    base.insert("TMPDIR", dir.filePath("tmp"));
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
        base.remove(QString::fromLatin1(name));
    return programEnvironment(base, dir);
}

bool startBuiltProgram(QProcess& program, const QProcessEnvironment& env) {
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(QV_BIN_DIR "/quorvalline"), {});
    return program.waitForStarted();
}

QString xdotool(const QProcessEnvironment& env, const QStringList& arguments) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start("xdotool", arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::optional<XWindow> programWindow(const QProcessEnvironment& env, bool (*which)(const QRect&)) {
    static const QRegularExpression geometry(
        "WINDOW=(\\d+)\\nX=(-?\\d+)\\nY=(-?\\d+)\\nWIDTH=(\\d+)\\nHEIGHT=(\\d+)");
    const QString shell = xdotool(env, {"search", "--onlyvisible", "--class", "quorvalline",
                                        "getwindowgeometry", "--shell", "%@"});
    for (auto it = geometry.globalMatch(shell); it.hasNext();) {
        const auto m = it.next();
        const QRect r(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt(),
                      m.captured(5).toInt());
        if (which(r))
            return XWindow{m.captured(1), r};
    }
    return std::nullopt;
}

std::optional<XWindow> settledProgramWindow(const QProcessEnvironment& env,
                                            bool (*which)(const QRect&)) {
    std::optional<XWindow> last;
    int sameReads = 0;
    XServer::waitFor([&] {
        const std::optional<XWindow> now = programWindow(env, which);
        sameReads = now && last && now->rect == last->rect ? sameReads + 1 : 0;
        last = now;
        return sameReads >= 5;
    });
    return last;
}

void writeCaptureAndSaveSettings(const QString& registryPath, const QString& folder) {
    fakes::FakePlatform fake;
    fake.services().registry = std::make_unique<platform::FileRegistry>(registryPath);
    options::Settings settings;
    settings.saveFolder = folder;
    settings.format = options::ImageFormat::Png;
    settings.naming = options::SaveNaming::Increment;
    settings.autoCopy = false;
    options::SettingsStore().save(settings);
    QStringList rows = options::firstRunHotkeyRows();
    rows[options::RowEntireScreen] = QStringLiteral("CTRL+E");
    rows[options::RowSaveToDefaultFolder] = QStringLiteral("CTRL+S");
    options::writeHotkeyStore(rows, false);
}

bool captureTheScreen(const XServer& server, const std::function<bool()>& frozenShown) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        server.run(QStringLiteral("xdotool"), {"key", "ctrl+e"});
        if (XServer::waitFor(frozenShown, 3000))
            return true;
    }
    return false;
}

}  // namespace qv::testsupport
