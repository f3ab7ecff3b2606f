#include <QApplication>
#include <QWidget>

#include "platform/linux/fileregistry.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/realclock.h"
#include "platform/services.h"

namespace {

qv::platform::Services linuxServices() {
    using namespace qv::platform;
    Services s;
    s.registry = std::make_unique<FileRegistry>(FileRegistry::defaultPath());
    s.clock = std::make_unique<RealClock>();
    s.dialogs = std::make_unique<QtDialogs>();
    return s;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvalline"));
    qv::platform::Services services = linuxServices();
    qv::platform::ServicesScope scope(services);

    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Quorvalline"));
    mainWindow.resize(330, 200);
    mainWindow.show();
    return QApplication::exec();
}
