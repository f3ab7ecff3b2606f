#pragma once

#include <memory>

#include "autocapture/state.h"
#include "objects/state.h"
#include "options/state.h"
#include "output/state.h"
#include "picmenu/state.h"
#include "shell/state.h"

namespace qv {

namespace shell {
struct Forms;
}
namespace options {
struct Forms;
}
namespace output {
struct Forms;
}
namespace objects {
struct Forms;
}
namespace autocapture {
struct Forms;
}
namespace picmenu {
struct Forms;
}

// Everything one run of the program holds: the shared state of each subsystem and its
// windows. A Program is the installed one from its construction to its destruction (the one
// before it comes back then); main() makes one, each test a fresh one, so nothing leaks
// between tests. The platform services must outlive it.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    shell::State shell;
    options::State options;
    output::State output;
    objects::State objects;
    autocapture::State autocapture;
    picmenu::State picmenu;

    shell::Forms& shellForms() { return *shellForms_; }
    options::Forms& optionsForms() { return *optionsForms_; }
    output::Forms& outputForms() { return *outputForms_; }
    objects::Forms& objectsForms() { return *objectsForms_; }
    autocapture::Forms& autocaptureForms() { return *autocaptureForms_; }
    picmenu::Forms& picmenuForms() { return *picmenuForms_; }

private:
    // Declared after the state, so the windows go first when the program ends.
    std::unique_ptr<shell::Forms> shellForms_;
    std::unique_ptr<options::Forms> optionsForms_;
    std::unique_ptr<output::Forms> outputForms_;
    std::unique_ptr<objects::Forms> objectsForms_;
    std::unique_ptr<autocapture::Forms> autocaptureForms_;
    std::unique_ptr<picmenu::Forms> picmenuForms_;
    Program* previous_;
};

// The program installed now.
Program& program();

}  // namespace qv
