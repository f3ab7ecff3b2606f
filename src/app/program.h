#pragma once

#include <memory>

#include "app/otherwindowslink.h"
#include "app/schedulerlink.h"
#include "autocapture/state.h"
#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "objects/state.h"
#include "options/state.h"
#include "output/state.h"
#include "picmenu/state.h"
#include "shell/windowscontrol.h"
#include "toolkit/installed.h"

namespace qv {

namespace shell {
struct Windows;
}
namespace options {
struct Windows;
}
namespace output {
struct Windows;
}
namespace objects {
struct Windows;
}
namespace autocapture {
struct Windows;
}

// One run of the program: the shared state and the windows of every subsystem, and the links
// that let a lower subsystem reach the ones above it. Each part is the installed one of its
// subsystem from the Program's construction to its destruction (the one before it comes back
// then); main() makes one, each test a fresh one, so nothing leaks between tests. The platform
// services must outlive it.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    capture::State captureState;
    capture::CaptureSession capture;
    picmenu::State picmenu;
    options::State options;
    output::State output;
    objects::State objects;
    autocapture::State autocapture;

    shell::Windows& shellWindows() { return *shellWindows_; }
    options::Windows& optionsWindows() { return *optionsWindows_; }
    output::Windows& outputWindows() { return *outputWindows_; }
    objects::Windows& objectsWindows() { return *objectsWindows_; }
    autocapture::Windows& autocaptureWindows() { return *autocaptureWindows_; }

private:
    shell::WindowsControl shellControl_;
    app::OtherWindowsLink otherWindows_;
    app::SchedulerLink schedulerLink_;

    // Declared after the state, so the windows go first when the program ends.
    std::unique_ptr<shell::Windows> shellWindows_;
    std::unique_ptr<options::Windows> optionsWindows_;
    std::unique_ptr<output::Windows> outputWindows_;
    std::unique_ptr<objects::Windows> objectsWindows_;
    std::unique_ptr<autocapture::Windows> autocaptureWindows_;

    // Declared last: every part stays installed until the windows are gone.
    struct Installations;
    std::unique_ptr<Installations> installations_;
};

}  // namespace qv
