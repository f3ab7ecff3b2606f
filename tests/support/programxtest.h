#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "support/xvfbtest.h"

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

    std::optional<fakes::FakePlatform> fake_;
    std::unique_ptr<Program> prog_;
};

}  // namespace qv::testsupport
