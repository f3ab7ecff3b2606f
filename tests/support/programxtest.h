#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "support/xvfbtest.h"

class QWidget;

namespace qv::shell {
class FrozenScreen;
}

namespace qv::testsupport {

// The program in this process on a private X server, over the fake platform services except
// those a test puts in before the program starts. The program goes first, then the fakes, then
// the server.
class ProgramXTest : public XvfbTest {
protected:
    // The server, the fakes (services may then replace some) and the program on them.
    void startProgram(const XServer::Options& options = {},
                      const std::function<void(fakes::FakePlatform&)>& services = {});
    // Captures that change nothing else: no copy to the clipboard, no picture menu, the desktop
    // kept; the main window hidden, as in the tray. With loadOptions the options window's load
    // reads the settings first.
    void quietCaptures(bool loadOptions = true);
    void TearDown() override;

    // Runs xdotool on the server; a failure is fatal to the test.
    void xdotool(const QStringList& arguments);
    // Moves the pointer to a point of the screen and clicks a button there.
    void clickAt(QPoint at, int button = 1);
    // What read gives once two reads in a row agree, or a null image if they never do.
    static QImage settled(const std::function<QImage()>& read);
    // Shows a window of the test's at geometry, never taking the focus, and waits until it
    // is on the screen.
    static void showPattern(QWidget& window, const QRect& geometry);
    // Freezes the screen from the main window and waits until frozen_ is up and frozen.
    void freezeScreen();

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
    shell::FrozenScreen* frozen_ = nullptr;
};

}  // namespace qv::testsupport
