#pragma once

#include <QString>

namespace qv::platform {

// A program started at login on a Linux desktop: an XDG autostart entry. Its presence is the
// stored form of the setting.
class Autostart {
public:
    explicit Autostart(QString entryPath = defaultEntryPath());

    // $XDG_CONFIG_HOME/autostart/quorvalline.desktop ($HOME/.config when that is unset or
    // relative).
    static QString defaultEntryPath();

    const QString& entryPath() const { return entryPath_; }
    bool isEnabled() const;
    // Writes the entry to start the given executable; false when it could not be written.
    bool enable(const QString& executable) const;
    // Removes the entry; harmless when there is none.
    void disable() const;

    // The Exec value that runs the executable, quoted by the Desktop Entry rules so that
    // blanks, quotes, backslashes and percent signs survive.
    static QString execLine(const QString& executable);

private:
    QString entryPath_;
};

}  // namespace qv::platform
