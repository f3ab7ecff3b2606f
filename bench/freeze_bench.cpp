// Freeze and the one-step captures on the running X server (run it under Xvfb at the size to
// measure), against a bare grab of the screen. The program's own waits are not timed.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>

#include "app/program.h"
#include "benchutil.h"
#include "options/windows.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/qtprinter.h"
#include "platform/linux/qtprocess.h"
#include "platform/linux/qttray.h"
#include "platform/linux/realclock.h"
#include "platform/linux/systemlocale.h"
#include "platform/linux/x11hotkeys.h"
#include "platform/linux/xdgmail.h"
#include "platform/linux/xdgshell.h"
#include "platform/memoryregistry.h"
#include "platform/services.h"
#include "shell/windows.h"

namespace {

using namespace qv;
using qv::bench::medianMs;

// The screen through Qt, standing in for the window-system desktop service in this program.
class QtScreenDesktop : public platform::Desktop {
public:
    QSize screenSize() const override { return screen()->size() * screen()->devicePixelRatio(); }
    int logicalDpiX() const override { return int(screen()->logicalDotsPerInchX()); }
    int logicalDpiY() const override { return int(screen()->logicalDotsPerInchY()); }
    QImage grab(const QRect& rect) override {
        return screen()
            ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    platform::WindowId foregroundWindow() const override { return target; }
    QString windowTitle(platform::WindowId) const override { return {}; }
    QRect windowFrame(platform::WindowId w) const override {
        return w == target ? targetFrame : QRect();
    }
    bool isDesktop(platform::WindowId w) const override { return w == 0; }
    platform::WindowId lastForeignWindow() const override { return target; }
    QPoint cursorPos() const override { return {}; }
    bool leftButtonDown() const override { return false; }
    std::unique_ptr<platform::BusyPointer> busyPointer() override {
        return std::make_unique<platform::BusyPointer>();
    }

    platform::WindowId target = 1;
    QRect targetFrame{100, 100, 800, 600};

private:
    static QScreen* screen() { return QGuiApplication::primaryScreen(); }
};

class SilentClipboard : public platform::Clipboard {
public:
    void clear() override {}
    void setImage(const QImage&) override {}
    platform::ClipboardFormats formats() const override { return {}; }
    QString text() const override { return {}; }
    platform::ClipboardPicture picture() const override { return {}; }
};

class SilentSound : public platform::Sound {
public:
    void play(const QString&) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::Services services;
    services.registry = std::make_unique<platform::MemoryRegistry>();
    services.clock = std::make_unique<platform::RealClock>();
    services.dialogs = std::make_unique<platform::QtDialogs>();
    auto ownedDesktop = std::make_unique<QtScreenDesktop>();
    QtScreenDesktop& desktop = *ownedDesktop;
    services.desktop = std::move(ownedDesktop);
    services.clipboard = std::make_unique<SilentClipboard>();
    services.sound = std::make_unique<SilentSound>();
    // Every service the start-up and the freeze reach is installed: the Options window's load
    // reads the locale, the main window's load registers hotkeys and adds the tray icon.
    services.locale = std::make_unique<platform::SystemLocale>();
    services.hotkeys = std::make_unique<platform::X11Hotkeys>();
    services.tray = std::make_unique<platform::QtTray>();
    services.shell = std::make_unique<platform::XdgShell>();
    services.process = std::make_unique<platform::QtProcess>();
    services.mail = std::make_unique<platform::XdgMail>();
    services.printer = std::make_unique<platform::QtPrinter>();
    platform::ServicesScope scope(services);
    Program program;
    program.optionsWindows().optionsDialog.get();  // its load reads the settings
    program.options.settings.autoCopy = false;     // no 500 ms pause

    auto& shellWindows = program.shellWindows();
    shell::MainWindow& mainWindow = shellWindows.mainWindow.get();
    auto release = [&] {
        mainWindow.resetAfterRelease();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    };
    auto freeze = [&] {
        mainWindow.showFrozenScreen();
        shellWindows.frozenScreen->repaint();
        desktop.flush();
    };
    auto oneStep = [&](bool window) {
        auto& s = program.captureState;
        (window ? s.freeze.pendingWindow : s.freeze.pendingScreen) = true;
        s.freeze.captureAvailable = true;
        program.capture.targetWindow = desktop.target;
        shellWindows.frozenScreen.drop();
        freeze();
    };

    const int runs = 15;
    const QSize size = desktop.screenSize();
    const double grab = medianMs(
        runs, [&] { desktop.grabScreen(); }, [] {});
    const double frozen = medianMs(runs, freeze, release);
    const double screen = medianMs(
        runs, [&] { oneStep(false); }, release);
    const double window = medianMs(
        runs, [&] { oneStep(true); }, release);

    QTextStream out(stdout);
    out << size.width() << "x" << size.height() << " (median of " << runs << ")\n"
        << "  bare grab              " << grab << " ms\n"
        << "  freeze                 " << frozen << " ms  (" << frozen / grab << "x the grab)\n"
        << "  Capture Entire Screen  " << screen << " ms\n"
        << "  Capture Active Window  " << window << " ms\n";
    return 0;
}
