#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv::output {

// "Save Captured Image": asks for a file name and a format and saves the capture into the
// default folder of the Options. Shown modeless over the frozen screen; it stays loaded and
// hidden between showings, so the last name and format come back. Its close box unloads it.
class SaveDialog : public QWidget {
public:
    SaveDialog();

    // Shows the dialog in front of the frozen screen and makes it the active window.
    void showOverFrozenScreen();

    QLabel* Label1;
    QLineEdit* Text1;  // the file name, without folder and extension
    QLabel* Label3;
    QComboBox* Combo1;  // the format
    QLabel* Label2;     // the default folder
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void showFolder();
    // Saves under the typed name; false when the dialog has to stay open.
    bool save();
};

}  // namespace qv::output
