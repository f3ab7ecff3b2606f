#pragma once

#include <QString>
#include <QStringList>

#include "platform/windowid.h"

namespace qv::platform {

// Result codes of a shell launch: above LaunchOk is success, the rest name the failure.
namespace shellresult {
inline constexpr int OutOfMemory = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int NoMemory = 8;
inline constexpr int BadFormat = 11;
inline constexpr int ShareViolation = 26;
inline constexpr int AssocIncomplete = 27;
inline constexpr int DdeTimeout = 28;
inline constexpr int DdeFail = 29;
inline constexpr int DdeBusy = 30;
inline constexpr int NoAssociation = 31;
inline constexpr int DllNotFound = 32;
inline constexpr int LaunchOk = 42;
}  // namespace shellresult

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a document, folder or URL with the desktop's chosen program. Returns a result
    // code: greater than 32 on success, otherwise one of shellresult.
    virtual int open(const QString& target) = 0;
    // Starts a program by path with its arguments. Same result codes as open().
    virtual int start(const QString& program, const QStringList& arguments) = 0;
    // Shows a window again that was minimised or hidden; false when it is gone.
    virtual bool restoreWindow(WindowId window) = 0;
    // The top-level window of the program the last start() launched; 0 while it has none.
    virtual WindowId startedWindow() const = 0;
    // The process that made a window, 0 when the window is gone or the window system does not
    // tell. Window ids are handed out again after a program ends: the same id made by another
    // process is another program's window.
    virtual qint64 windowProcess(WindowId window) const = 0;
};

}  // namespace qv::platform
