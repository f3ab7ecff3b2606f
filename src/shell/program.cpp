#include "shell/program.h"

#include <QtGlobal>

#include "autocapture/windows.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "output/windows.h"
#include "picmenu/windows.h"
#include "shell/windows.h"

namespace qv {

namespace {
Program* installed = nullptr;
}

Program::Program()
    : shellForms_(std::make_unique<shell::Windows>()),
      optionsForms_(std::make_unique<options::Windows>()),
      outputForms_(std::make_unique<output::Windows>()),
      objectsForms_(std::make_unique<objects::Windows>()),
      autocaptureForms_(std::make_unique<autocapture::Windows>()),
      picmenuForms_(std::make_unique<picmenu::Windows>()),
      previous_(installed) {
    installed = this;
}

Program::~Program() {
    // Windows may reach for other windows while they close: the later subsystems go first,
    // the shell last. The main window goes before all of them: its hotkey pump is attached
    // to the options windows' state and lets go of it there.
    if (Q_LIKELY(shellForms_))
        shellForms_->mainWindow.destroy();
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
