#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv::output {

// "Save Captured Image": asks for a file name and a format and saves the capture into the
// default folder of the Options. Shown modeless over the frozen screen; it stays built and
// hidden between showings, so the last name and format come back. Its close box throws it away.
class SaveDialog : public QWidget {
public:
    SaveDialog();

    // Shows the dialog in front of the frozen screen and makes it the active window.
    void showOverFrozenScreen();

    QLabel* fileNameLabel;
    QLineEdit* fileNameEdit;  // the file name, without folder and extension
    QLabel* formatLabel;
    QComboBox* formatCombo;
    QLabel* folderLabel;  // the default folder
    QPushButton* okButton;
    QPushButton* cancelButton;

    // Saves the capture under the typed name and format, then hides; the dialog stays up
    // while the name is refused or nothing was saved.
    void accept();
    // Hides without saving.
    void cancel();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // An empty name, the default folder, the formats with that of the Options chosen.
    void fillIn();
    // At each activation: the dialog counts as open over the frozen screen, a pending
    // one-step capture is dropped, and the folder is shown as the Options have it now.
    void prepareForInput();
    // Closing the window throws the dialog away; the next use builds it afresh.
    void discard();
    void showFolder();
};

}  // namespace qv::output
