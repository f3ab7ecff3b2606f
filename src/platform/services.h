#pragma once

#include <memory>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"
#include "platform/mail.h"
#include "platform/printer.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/tray.h"

namespace qv::platform {

// The platform of one run: main() fills it with the Linux services, a test with fakes.
struct Services {
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<Hotkeys> hotkeys;
    std::unique_ptr<Tray> tray;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Process> process;
    std::unique_ptr<Mail> mail;
    std::unique_ptr<Sound> sound;
    std::unique_ptr<Locale> locale;
    std::unique_ptr<Printer> printer;
};

// The services installed now. Using a service that was not installed is a programming error.
Services& services();

// Installs services for the lifetime of the scope and restores the previous ones after it.
class ServicesScope {
public:
    explicit ServicesScope(Services& installed);
    ~ServicesScope();
    ServicesScope(const ServicesScope&) = delete;
    ServicesScope& operator=(const ServicesScope&) = delete;

private:
    Services* previous_;
};

// Short ways to reach one service.
inline Registry& registry() {
    return *services().registry;
}
inline Clock& clock() {
    return *services().clock;
}
inline Dialogs& dialogs() {
    return *services().dialogs;
}
inline Desktop& desktop() {
    return *services().desktop;
}
inline Hotkeys& hotkeys() {
    return *services().hotkeys;
}
inline Tray& tray() {
    return *services().tray;
}
inline Clipboard& clipboard() {
    return *services().clipboard;
}
inline Shell& shell() {
    return *services().shell;
}
inline Process& process() {
    return *services().process;
}
inline Mail& mail() {
    return *services().mail;
}
inline Sound& sound() {
    return *services().sound;
}
inline Locale& locale() {
    return *services().locale;
}
inline Printer& printer() {
    return *services().printer;
}

}  // namespace qv::platform
