#pragma once

#include <QSet>

#include "options/settings.h"
#include "toolkit/installed.h"

namespace qv::options {

// The options in force for the whole program. Reset as a whole by constructing a new one.
struct State {
    // The current settings: loaded at start-up, replaced by the Options window's Apply and OK.
    Settings settings;
    bool hotkeysDisabled = false;
    bool usingDefaultHotkeys =
        false;  // no hotkey table was stored: the two defaults were registered
    // Stored file name prefixes that could not be used, each told once.
    QSet<QString> refusedPrefixesNamed;
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::options
