#pragma once

#include <QString>

namespace qv::output {

// A file operation that failed, with the number and description the user is shown.
struct SaveError {
    int number = 0;
    QString description;

    // "Error: 76  Path not found !!" as the outputs report failures.
    QString message() const;
};

// Numbers for the failures the outputs meet, as users of the program know them.
namespace errornumber {
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int FileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ConverterFailed = 1001;
inline constexpr int NoFreeName = 1002;
inline constexpr int MailFailed = 1004;  // the file was saved, the mail program did not take it
}  // namespace errornumber

// Shows the error with the critical icon, titled " Quorvalline ".
void showSaveError(const SaveError& error);

}  // namespace qv::output
