#include <QApplication>

#include "platform/linux/fileregistry.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/qttray.h"
#include "platform/linux/realclock.h"
#include "platform/linux/standins.h"
#include "platform/services.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace {

qv::platform::Services linuxServices() {
    using namespace qv::platform;
    Services s;
    s.registry = std::make_unique<FileRegistry>(FileRegistry::defaultPath());
    s.clock = std::make_unique<RealClock>();
    s.dialogs = std::make_unique<QtDialogs>();
    s.tray = std::make_unique<QtTray>();
    s.desktop = std::make_unique<QtDesktop>();
    s.hotkeys = std::make_unique<UngrabbedHotkeys>();
    s.locale = std::make_unique<QtLocale>();
    s.shell = std::make_unique<DesktopServicesShell>();
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
    program.shellForms().form1.get();
    return QApplication::exec();
}
