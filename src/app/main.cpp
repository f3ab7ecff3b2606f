#include <QApplication>

#include "app/program.h"
#include "platform/linux/fileregistry.h"
#include "platform/linux/qtclipboard.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/qtprinter.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/qtsound.h"
#include "platform/linux/qttray.h"
#include "platform/linux/realclock.h"
#include "platform/linux/systemlocale.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "platform/linux/xdgmail.h"
#include "platform/linux/xdgshell.h"
#include "platform/services.h"
#include "shell/windows.h"

namespace {

qv::platform::Services linuxServices() {
    using namespace qv::platform;
    Services s;
    s.registry = std::make_unique<FileRegistry>(FileRegistry::defaultPath());
    s.clock = std::make_unique<RealClock>();
    s.dialogs = std::make_unique<QtDialogs>();
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvalline"));
    // The program lives in the tray: closing a dialog never ends it, only its exits do.
    QApplication::setQuitOnLastWindowClosed(false);
    qv::platform::Services services = linuxServices();
    qv::platform::ServicesScope scope(services);
    qv::Program program;

    // Creating the main window runs the whole start-up.
    program.shellWindows().mainWindow.get();
    return QApplication::exec();
}
