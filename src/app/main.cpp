#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "app/program.h"
#include "app/singlecopy.h"
#include "options/settingsstore.h"
#include "platform/linux/displayprobe.h"
#include "platform/linux/endsignals.h"
#include "platform/linux/fileregistry.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/qtprinter.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/qtsound.h"
#include "platform/linux/qttray.h"
#include "platform/linux/realclock.h"
#include "platform/linux/runninglock.h"
#include "platform/linux/sparedescriptors.h"
#include "platform/linux/systemlocale.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "platform/linux/xdgmail.h"
#include "platform/linux/xdgshell.h"
#include "platform/services.h"
#include "shell/windows.h"

namespace {

const char kWaylandText[] =
    "On a Wayland session Quorvalline runs on X11 through XWayland: it cannot see other "
    "programs' windows nor hold global hotkeys.";

bool waylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// Left to itself, Qt would pick its Wayland platform, on which there are no key grabs nor
// other programs' windows at all; through XWayland at least the X11 programs' are there.
// A platform the user names (other than Wayland) is kept. Returns whether it chose X11.
bool chooseX11OnWayland() {
    if (!waylandSession())
        return false;
    const QByteArray named = qgetenv("QT_QPA_PLATFORM");
    if (!named.isEmpty() && !named.startsWith("wayland"))
        return false;
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

bool onX11() {
    const QByteArray named = qgetenv("QT_QPA_PLATFORM");
    return named.isEmpty() || named.startsWith("xcb");
}

// A write past the user's file size limit (ulimit -f) would end the program with SIGXFSZ. With
// the signal caught the write fails with EFBIG instead, and is reported like a full disk, the
// file kept. Caught rather than ignored: a program started from here gets the default back.
void onFileSizeLimit(int) {}

void failWritesPastTheSizeLimit() {
    struct sigaction action = {};
    action.sa_handler = onFileSizeLimit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGXFSZ, &action, nullptr);
}

qv::platform::Services linuxServices(qv::platform::SpareDescriptors& spare) {
    using namespace qv::platform;
    Services s;
    s.registry = std::make_unique<FileRegistry>(FileRegistry::defaultPath());
    s.clock = std::make_unique<RealClock>();
    s.dialogs = std::make_unique<DialogsWithSpareDescriptors>(std::make_unique<QtDialogs>(), spare);
    s.desktop = std::make_unique<X11Desktop>();
    s.hotkeys = std::make_unique<X11Hotkeys>();
    s.tray = std::make_unique<QtTray>();
    s.clipboard = std::make_unique<QtClipboard>();
    s.shell = std::make_unique<XdgShell>();
    s.process = std::make_unique<QtProcess>();
    s.mail = std::make_unique<XdgMail>();
    s.sound = std::make_unique<QtSound>();
    s.locale = std::make_unique<SystemLocale>();
    s.printer = std::make_unique<QtPrinter>();
    return s;
}

}  // namespace

int main(int argc, char* argv[]) {
    // First, so that it outlives everything main() makes and may hang in.
    qv::platform::EndSignals endSignals;
    // Among the first descriptors, before anything can take them all.
    qv::platform::SpareDescriptors spare;
    failWritesPastTheSizeLimit();
    const bool onWayland = chooseX11OnWayland();
    // Qt aborts when its X11 platform finds no server: said plainly instead.
    std::optional<qv::platform::DisplayProbe> display;
    if (onX11() && !display.emplace().connected()) {
        std::fputs("quorvalline: cannot open the display\n", stderr);
        return EXIT_FAILURE;
    }
    if (onWayland)
        std::fprintf(stderr, "quorvalline: %s\n", kWaylandText);
    qv::platform::ApplicationWithSpareDescriptors app(argc, argv, spare);
    // Qt has its own connection now.
    display.reset();
    QApplication::setApplicationName(QStringLiteral("Quorvalline"));
    endSignals.endLoopsOf(app);
    // Before the settings are read: a second copy must not touch them.
    qv::platform::RunningLock singleCopy(qv::platform::RunningLock::defaultPath());
    {
        qv::platform::DialogsWithSpareDescriptors dialogs(
            std::make_unique<qv::platform::QtDialogs>(), spare);
        if (const std::optional<int> code = qv::endUnlessOnlyCopy(singleCopy, dialogs))
            return *code;
    }
    // The program lives in the tray: closing a dialog never ends it, only its exits do.
    QApplication::setQuitOnLastWindowClosed(false);
    qv::platform::Services services = linuxServices(spare);
    qv::platform::ServicesScope scope(services);
    qv::options::SettingsStore::reportStoreFailures();
    qv::Program program;

    // Creating the main window runs the whole start-up.
    program.shellWindows().mainWindow.get();
    if (onWayland) {
        // Once the event loop runs, so the box comes after whatever start-up put on screen.
        QTimer::singleShot(0, &app, [] {
            qv::platform::dialogs().message(
                QString::fromLatin1(kWaylandText), qv::platform::MsgButtons::Ok,
                qv::platform::MsgIcon::Information, QStringLiteral(" Quorvalline "));
        });
    }
    if (qv::platform::EndSignals::requested())
        return EXIT_SUCCESS;
    return QApplication::exec();
}
