#include "shell/program.h"

#include <QtGlobal>

#include "autocapture/forms.h"
#include "objects/forms.h"
#include "options/forms.h"
#include "output/forms.h"
#include "picmenu/forms.h"
#include "shell/forms.h"

namespace qv {

namespace {
Program* installed = nullptr;
}

Program::Program()
    : shellForms_(std::make_unique<shell::Forms>()),
      optionsForms_(std::make_unique<options::Forms>()),
      outputForms_(std::make_unique<output::Forms>()),
      objectsForms_(std::make_unique<objects::Forms>()),
      autocaptureForms_(std::make_unique<autocapture::Forms>()),
      picmenuForms_(std::make_unique<picmenu::Forms>()),
      previous_(installed) {
    installed = this;
}

Program::~Program() {
    // Windows may reach for other windows while they close: the later subsystems go first,
    // the shell last. The main window goes before all of them: its hotkey pump is attached
    // to the options windows' state and lets go of it there.
    if (Q_LIKELY(shellForms_))
        shellForms_->form1.destroy();
    picmenuForms_.reset();
    autocaptureForms_.reset();
    objectsForms_.reset();
    outputForms_.reset();
    optionsForms_.reset();
    shellForms_.reset();
    installed = previous_;
}

Program& program() {
    Q_ASSERT_X(installed, "program", "no program installed");
    return *installed;
}

}  // namespace qv
