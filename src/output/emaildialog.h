#pragma once

#include <QString>
#include <QWidget>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv::output {

// "Send Captured Image by Email ": saves the capture under a typed name and format into the
// default folder of the Options and hands that file to the mail program. Shown modeless over
// the frozen screen; it stays built and hidden between showings, so the last name and format
// come back. Its close box throws it away.
class EmailDialog : public QWidget {
public:
    EmailDialog();

    // Shows the dialog in front of the frozen screen and makes it the active window.
    void showOverFrozenScreen();

    QGroupBox* optionsGroup;
    QLabel* fileNameLabel;
    QLineEdit* fileNameEdit;  // the file name, without folder and extension
    QLabel* formatLabel;
    QComboBox* formatCombo;
    QPushButton* okButton;
    QPushButton* cancelButton;

    // Saves the capture, hides, releases when the options ask, then mails the saved file. The
    // dialog stays up, and the capture with it, while the name is refused or nothing was saved.
    void accept();
    // Hides without saving.
    void cancel();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // At each activation: the dialog counts as open over the frozen screen and a pending
    // one-step capture is dropped.
    void prepareForInput();
    // Closing the window throws the dialog away; the next frozen screen builds it afresh.
    void discard();
};

}  // namespace qv::output
