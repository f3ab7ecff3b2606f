#pragma once

#include <QString>
#include <QStringList>

namespace qv::platform {

// A program started at login on a Linux desktop: an XDG autostart entry. The entry in the
// user's folder wins over one of the same name in a system-wide folder; an entry the desktop's
// settings switched off (Hidden=true, or X-GNOME-Autostart-enabled=false) starts nothing.
class Autostart {
public:
    // The user's entry, over the system-wide ones of $XDG_CONFIG_DIRS.
    Autostart();
    explicit Autostart(QString entryPath, QStringList systemEntryPaths = {});

    // $XDG_CONFIG_HOME/autostart/quorvalline.desktop ($HOME/.config when that is unset or
    // relative).
    static QString defaultEntryPath();
    // quorvalline.desktop in the autostart folder of each of $XDG_CONFIG_DIRS (/etc/xdg when
    // unset), first one first.
    static QStringList defaultSystemEntryPaths();

    const QString& entryPath() const { return entryPath_; }
    // Whether the desktop starts the program at login.
    bool isEnabled() const;
    // Writes the entry to start the given executable; false when it could not be written.
    bool enable(const QString& executable) const;
    // Leaves an entry marked hidden, which also hides a system-wide one, and keeps what else
    // the user's entry said; false when it could not be written.
    bool disable() const;

    // The Exec value that runs the executable, quoted by the Desktop Entry rules so that
    // blanks, quotes, backslashes and percent signs survive.
    static QString execLine(const QString& executable);

private:
    QString entryPath_;
    QStringList systemEntryPaths_;
};

}  // namespace qv::platform
