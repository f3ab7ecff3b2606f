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

// A font and the colour of its letters, as the font dialog offers them together.
struct FontChoice {
    QFont font;
    QColor color;
};

// Modal dialogs. Every message box and common dialog of the program goes through here so
// that tests can answer them from a script, and so that the program knows when one is open.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Whether one of the program's dialogs is open now. Each runs its own event loop, in which
    // the program must not destroy the windows the dialog and its caller stand on. Counted for
    // the whole program, as the dialogs are modal to all of it, whichever object shows them.
    static bool anyOpen() { return openCount_ > 0; }

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
    // Opens on the initial font, styles and colour; sizes are not limited to a range.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial,
                                                 QWidget* owner = nullptr) = 0;

protected:
    // Held by an implementation for as long as one of its dialogs is open.
    class OpenDialog {
    public:
        OpenDialog() { ++openCount_; }
        ~OpenDialog() { --openCount_; }
        OpenDialog(const OpenDialog&) = delete;
        OpenDialog& operator=(const OpenDialog&) = delete;
    };

public:
    // Counts a modal dialog another service shows (the print dialogs) while it lives.
    class ForeignDialog {
        OpenDialog open_;
    };

private:
    static inline int openCount_ = 0;
};

}  // namespace qv::platform
