#pragma once

#include "fakes/fakeclock.h"
#include "fakes/fakedialogs.h"
#include "platform/memoryregistry.h"
#include "platform/services.h"

namespace qv::fakes {

// A whole platform of fakes, installed for as long as the object lives. Tests reach the
// fakes through the typed accessors to script and inspect them.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();

    platform::MemoryRegistry& registry() { return *registry_; }
    FakeClock& clock() { return *clock_; }
    FakeDialogs& dialogs() { return *dialogs_; }

private:
    platform::Services services_;
    platform::MemoryRegistry* registry_;
    FakeClock* clock_;
    FakeDialogs* dialogs_;
    platform::ServicesScope scope_;
};

}  // namespace qv::fakes
