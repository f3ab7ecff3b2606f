#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qv::autocapture {

// Tells the user which scheduled captures were not saved, without stopping anything: it is no
// dialog of the program (the scheduler, the hotkeys and the freeze go on while it shows), it
// does not take the focus from the window the user works in, and it stays until the user
// closes it, so a failure met while nobody watched is still there when they come back.
class FailureNotice : public QWidget {
public:
    FailureNotice();

    // Adds one failure, stamped with the minute it happened, and shows the window.
    void add(const QString& text);
    const QStringList& failures() const { return failures_; }

    // Controls.
    QLabel* iconLabel;
    QLabel* headingLabel;
    QPlainTextEdit* failureList;
    QPushButton* okButton;

protected:
    // Closing forgets what was read: the next failure starts a fresh list.
    void closeEvent(QCloseEvent* event) override;

private:
    QStringList failures_;
};

}  // namespace qv::autocapture
