#pragma once

#include <QString>
#include <QtGlobal>

namespace qv::options {

// Option flags mirrored out of the Options and Hotkeys windows for everyone to read. Reset as
// a whole by constructing a new one.
struct State {
    bool autoreleasedesktop = false;  // "Release Desktop after Capture"
    bool autopopupmenu = false;       // "Auto Popup context Menu"
    bool showcurrentsize = false;     // "Show Current Size of Image"
    qint64 framecolor = 0;            // outline colour, 0x00BBGGRR
    QString savename;                 // file-name prefix
    bool disablehotkeys = false;
    bool defaulthotkeys = false;  // no hotkey table was stored: the two defaults were registered
};

}  // namespace qv::options
