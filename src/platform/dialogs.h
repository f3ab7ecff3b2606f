#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace qv::platform {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct FileDialogRequest {
    QString title;
    QString directory;  // where the dialog starts
    QString fileName;   // the name proposed in the dialog
    QString filter;     // Qt filter text, e.g. "Programs (*)"
};

// A name chosen in a save-file dialog, with the filter that was chosen at the same time.
struct ChosenFile {
    QString path;
    QString filter;
};

// Modal dialogs. Every message box and common dialog of the program goes through here so
// that tests can answer them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgAnswer message(const QString& text, MsgButtons buttons, MsgIcon icon,
                              const QString& title, QWidget* owner = nullptr) = 0;

    // Each returns nothing when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogRequest& request,
                                            QWidget* owner = nullptr) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request,
                                            QWidget* owner = nullptr) = 0;
    // Opens with selectedFilter chosen. Leaves overwriting to the caller, who may still
    // change the name.
    virtual std::optional<ChosenFile> saveFileWithFilter(const FileDialogRequest& request,
                                                         const QString& selectedFilter,
                                                         QWidget* owner = nullptr) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& start,
                                                QWidget* owner = nullptr) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial, QWidget* owner = nullptr) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, QWidget* owner = nullptr) = 0;
};

}  // namespace qv::platform
