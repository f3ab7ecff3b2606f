#pragma once

#include <QString>

namespace qv::options {

// "Start with Windows" on a Linux desktop: an XDG autostart entry that starts the program at
// login. Its presence is the stored form of the option.
class Autostart {
public:
    // The entry in $XDG_CONFIG_HOME/autostart ($HOME/.config when that is unset or relative).
    static QString entryPath();
    static bool isEnabled();
    // Writes the entry to start the given executable; false when it could not be written.
    static bool enable(const QString& executable);
    // Removes the entry; harmless when there is none.
    static void disable();

    // The Exec value that runs the executable, quoted by the Desktop Entry rules so that
    // blanks, quotes, backslashes and percent signs survive.
    static QString execLine(const QString& executable);
};

}  // namespace qv::options
