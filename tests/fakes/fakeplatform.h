#pragma once

#include "fakes/fakeclock.h"
#include "fakes/fakedialogs.h"
#include "fakes/fakeregistry.h"
#include "fakes/fakeservices.h"
#include "platform/services.h"

namespace qv::fakes {

// A whole platform of fakes, installed for as long as the object lives. Tests reach the
// fakes through the typed accessors to script and inspect them.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();

    FakeRegistry& registry() { return *registry_; }
    FakeClock& clock() { return *clock_; }
    FakeDialogs& dialogs() { return *dialogs_; }
    FakeDesktop& desktop() { return *desktop_; }
    FakeHotkeys& hotkeys() { return *hotkeys_; }
    FakeTray& tray() { return *tray_; }
    FakeClipboard& clipboard() { return *clipboard_; }
    FakeShell& shell() { return *shell_; }
    FakeProcess& process() { return *process_; }
    FakeSound& sound() { return *sound_; }
    FakeLocale& locale() { return *locale_; }
    FakePrinter& printer() { return *printer_; }
    FakeMail& mail() { return static_cast<FakeMail&>(*services_.mail); }

    // The installed services, for tests that put a real service in place of a fake; the
    // typed accessor of a replaced fake must not be used after that.
    platform::Services& services() { return services_; }

private:
    platform::Services services_;
    FakeRegistry* registry_;
    FakeClock* clock_;
    FakeDialogs* dialogs_;
    FakeDesktop* desktop_;
    FakeHotkeys* hotkeys_;
    FakeTray* tray_;
    FakeClipboard* clipboard_;
    FakeShell* shell_;
    FakeProcess* process_;
    FakeSound* sound_;
    FakeLocale* locale_;
    FakePrinter* printer_;
    platform::ServicesScope scope_;
};

}  // namespace qv::fakes
