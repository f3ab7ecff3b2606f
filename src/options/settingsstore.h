#pragma once

#include "options/settings.h"

namespace qv::options {

// Loads and stores the Settings under the program's key, one text value per option (a flag is
// "1" or "0"), each followed by a NUL except the format.
class SettingsStore {
public:
    // The first-run defaults while nothing was stored yet; otherwise the stored values. A
    // stored value that does not read as one of its choices keeps its default, and so does a
    // file name prefix the Options window would refuse, which is told once a run (message box
    // and stderr). Start at login is not read here: readStartAtLogin() gives it.
    Settings load() const;
    // Writes every option but start at login, which its box writes at once.
    void save(const Settings& settings) const;

    // Whether options were ever applied.
    static bool stored();
    // Start at login is the Run value naming the running executable.
    static bool readStartAtLogin();
    static void writeStartAtLogin(bool on);

    // From now on a setting the registry cannot store, and settings it could not read (lines
    // of the file left out, a damaged file kept aside), are shown in a message box the first
    // time each; the registry itself puts every one on stderr.
    static void reportStoreFailures();
};

}  // namespace qv::options
