#pragma once

#include <memory>

#include "autocapture/state.h"
#include "capture/capturesession.h"
#include "objects/state.h"
#include "options/state.h"
#include "output/state.h"
#include "picmenu/state.h"
#include "shell/state.h"

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
namespace picmenu {
struct Windows;
}

// Everything one run of the program holds: the shared state of each subsystem, the capture
// session and the windows. A Program is the installed one from its construction to its
// destruction (the one before it comes back then); main() makes one, each test a fresh one, so
// nothing leaks between tests. The platform services must outlive it.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    shell::State shell;
    capture::CaptureSession capture;
    options::State options;
    output::State output;
    objects::State objects;
    autocapture::State autocapture;
    picmenu::State picmenu;

    shell::Windows& shellWindows() { return *shellForms_; }
    options::Windows& optionsWindows() { return *optionsForms_; }
    output::Windows& outputWindows() { return *outputForms_; }
    objects::Windows& objectsWindows() { return *objectsForms_; }
    autocapture::Windows& autocaptureWindows() { return *autocaptureForms_; }
    picmenu::Windows& picmenuWindows() { return *picmenuForms_; }

private:
    // Declared after the state, so the windows go first when the program ends.
    std::unique_ptr<shell::Windows> shellForms_;
    std::unique_ptr<options::Windows> optionsForms_;
    std::unique_ptr<output::Windows> outputForms_;
    std::unique_ptr<objects::Windows> objectsForms_;
    std::unique_ptr<autocapture::Windows> autocaptureForms_;
    std::unique_ptr<picmenu::Windows> picmenuForms_;
    Program* previous_;
};

// The program installed now.
Program& program();

}  // namespace qv
