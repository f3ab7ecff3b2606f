#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::options {

// The Options window. Loaded hidden at start-up and kept loaded: its controls are the live
// options that the rest of the program reads; Apply and OK store them.
class OptionsDialog : public QWidget {
    Q_OBJECT
public:
    OptionsDialog();

    // The window's load: units and page setup, then the stored options or first-run defaults.
    void load();

    // Stores every option from the controls.
    void saveinreg();
    // Sets the controls from the stored options.
    void readsettings();
    // The default-printing record from and into the page-setup variables.
    void writepagesetupinreg();
    void readpagesetupfromreg();

    // "Startup:"
    QGroupBox* startupFrame;
    QCheckBox* Check6;       // start at login
    QPushButton* Command10;  // help
    // "AutoCapture  Hotkeys  Default Printer   Options:"
    QGroupBox* windowsFrame;
    QPushButton* Command11;  // AutoCapture
    QPushButton* Command9;   // Default Printing
    QPushButton* Command8;   // Hotkeys
    // "Automate :"
    QGroupBox* automateFrame;
    QCheckBox* Check2;  // autocopy
    QCheckBox* Check3;  // release after capture
    QCheckBox* Check4;  // popup context menu
    QCheckBox* Check5;  // show current size
    QLabel* Label7;
    QLineEdit* Text5;  // sound file
    QPushButton* Command12;
    // "Color and Frame Options :"
    QGroupBox* frameFrame;
    QRadioButton* Option3;  // dotted
    QRadioButton* Option4;  // solid
    QCheckBox* Check1;      // include outline
    QPushButton* Command5;
    QLabel* Label4;
    QLabel* Label5;  // colour swatch
    // "Container Application :"
    QGroupBox* containerFrame;
    QLabel* Label2;
    QLineEdit* Text2;  // application path or command
    QPushButton* Command2;
    QRadioButton* Option5;  // new instance
    QRadioButton* Option6;  // maximize existing
    QLineEdit* Text4;       // application name, never shown
    // "Saving Options :"
    QGroupBox* savingFrame;
    QLabel* Label1;
    QLineEdit* Text1;  // default folder
    QPushButton* Command1;
    QLabel* Label3;
    QLineEdit* Text3;  // file-name prefix
    QPushButton* Command6;
    QRadioButton* Option1;  // prompt for name
    QRadioButton* Option2;  // increment
    QLabel* Label6;
    QComboBox* Combo1;  // format
    // Without a frame.
    QPushButton* Command7;  // Apply
    QPushButton* Command3;  // OK
    QPushButton* Command4;  // Cancel

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    void firstRunDefaults();
    void loadPageSetup();
    void setFrameColor(qint64 value);
    void setCheck(QCheckBox* box, const QString& keepText);
    void showNameBox(bool enabled);

    void Form_Activate();
    void Check2_Click();
    void Check3_Click();
    void Check6_Click();
    void Option1_Click();
    void Option2_Click();
    void Option2_LostFocus();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command11_Click();
    void Command12_Click();
    // The file-name check and store of Apply and OK; false when the name was refused.
    bool apply();
};

}  // namespace qv::options
