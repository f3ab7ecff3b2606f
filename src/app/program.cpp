#include "app/program.h"

#include <QtGlobal>

#include "autocapture/windows.h"
#include "objects/windows.h"
#include "options/windows.h"
#include "output/windows.h"
#include "shell/windows.h"

namespace qv {

struct Program::Installations {
    toolkit::Installed<capture::State> captureState;
    toolkit::Installed<capture::CaptureSession> capture;
    toolkit::Installed<capture::ShellControl> shellControl;
    toolkit::Installed<picmenu::State> picmenu;
    toolkit::Installed<options::State> options;
    toolkit::Installed<options::OtherWindows> otherWindows;
    toolkit::Installed<output::State> output;
    toolkit::Installed<objects::State> objects;
    toolkit::Installed<autocapture::State> autocapture;
    toolkit::Installed<autocapture::SchedulerControl> schedulerControl;
    toolkit::Installed<shell::Windows> shellWindows;
    toolkit::Installed<options::Windows> optionsWindows;
    toolkit::Installed<output::Windows> outputWindows;
    toolkit::Installed<objects::Windows> objectsWindows;
    toolkit::Installed<autocapture::Windows> autocaptureWindows;
};

Program::Program()
    : shellWindows_(std::make_unique<shell::Windows>()),
      optionsWindows_(std::make_unique<options::Windows>()),
      outputWindows_(std::make_unique<output::Windows>()),
      objectsWindows_(std::make_unique<objects::Windows>()),
      autocaptureWindows_(std::make_unique<autocapture::Windows>()),
      installations_(new Installations{
          toolkit::Installed<capture::State>(captureState),
          toolkit::Installed<capture::CaptureSession>(capture),
          toolkit::Installed<capture::ShellControl>(shellControl_),
          toolkit::Installed<picmenu::State>(picmenu),
          toolkit::Installed<options::State>(options),
          toolkit::Installed<options::OtherWindows>(otherWindows_),
          toolkit::Installed<output::State>(output),
          toolkit::Installed<objects::State>(objects),
          toolkit::Installed<autocapture::State>(autocapture),
          toolkit::Installed<autocapture::SchedulerControl>(schedulerLink_),
          toolkit::Installed<shell::Windows>(*shellWindows_),
          toolkit::Installed<options::Windows>(*optionsWindows_),
          toolkit::Installed<output::Windows>(*outputWindows_),
          toolkit::Installed<objects::Windows>(*objectsWindows_),
          toolkit::Installed<autocapture::Windows>(*autocaptureWindows_),
      }) {}

Program::~Program() {
    // Windows may reach for other windows while they close: the later subsystems go first,
    // the shell last. The main window goes before all of them: its hotkey dispatcher is
    // attached to the options windows' state and lets go of it there.
    if (Q_LIKELY(shellWindows_))
        shellWindows_->mainWindow.destroy();
    autocaptureWindows_.reset();
    objectsWindows_.reset();
    outputWindows_.reset();
    optionsWindows_.reset();
    shellWindows_.reset();
}

}  // namespace qv
