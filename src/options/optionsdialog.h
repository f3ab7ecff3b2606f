#pragma once

#include <QDialog>

#include "options/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::options {

// The Options window. Its controls edit the program's current Settings: every change is in
// force at once for every reader, Apply and OK store them, Cancel and Escape only hide the
// window, so the edits stay in force until the program ends without being stored. The
// title-bar close drops what was not stored: the stored Settings are in force again. Start at
// login is stored the moment its box changes.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog();

    // The window's load at start-up: units and page setup, then the current Settings from the
    // store (or first-run defaults) with the menu captions they give.
    void load();

    // The Settings the controls show now; a half-typed name may differ from the one in force.
    Settings editedSettings() const;

    // "Startup:"
    QGroupBox* startupGroup;
    QCheckBox* startAtLoginBox;
    QPushButton* helpButton;
    // "AutoCapture  Hotkeys  Default Printer   Options:"
    QGroupBox* windowsGroup;
    QPushButton* autoCaptureButton;
    QPushButton* defaultPrintingButton;
    QPushButton* hotkeysButton;
    // "Automate :"
    QGroupBox* automateGroup;
    QCheckBox* autoCopyBox;
    QCheckBox* releaseAfterCaptureBox;
    QCheckBox* autoPopupMenuBox;
    QCheckBox* showCurrentSizeBox;
    QLabel* soundLabel;
    QLineEdit* soundFileEdit;
    QPushButton* browseSoundButton;
    // "Color and Frame Options :"
    QGroupBox* outlineGroup;
    QRadioButton* dottedOutlineButton;
    QRadioButton* solidOutlineButton;
    QCheckBox* includeOutlineBox;
    QPushButton* chooseColorButton;
    QLabel* colorLabel;
    QLabel* colorSwatch;
    // "Container Application :"
    QGroupBox* pastingAppGroup;
    QLabel* pastingAppLabel;
    QLineEdit* pastingAppEdit;  // path or command
    QPushButton* browsePastingAppButton;
    QRadioButton* newInstanceButton;
    QRadioButton* restoreExistingButton;
    // "Saving Options :"
    QGroupBox* savingGroup;
    QLabel* saveFolderLabel;
    QLineEdit* saveFolderEdit;
    QPushButton* browseSaveFolderButton;
    QLabel* fileNameLabel;
    QLineEdit* fileNamePrefixEdit;
    QPushButton* selectNameButton;
    QRadioButton* promptForNameButton;
    QRadioButton* incrementNameButton;
    QLabel* formatLabel;
    QComboBox* formatCombo;
    // Without a frame.
    QPushButton* applyButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    // OK: applies and closes when the options pass the check.
    void accept() override;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    // The current Settings from the store, or the first-run defaults, with the menu captions
    // they give.
    void readStoredSettings();
    // Sets the controls from settings without running the handlers a user's change runs.
    void showSettings(const Settings& settings);
    // What the controls show becomes the current Settings, except a file-name prefix or folder
    // that cannot be used: the one in force before stays until the text can be used again.
    void putEditsInForce();
    // The check of Apply and OK: false, after telling the user, when a name cannot be stored.
    bool namesCanBeStored();
    void showFrameColor(qint64 value);
    void enablePrefixBox(bool enabled);

    void takeOverFromFrozenScreen();
    void showAutoCopyCaption();
    void forceAutoCopyWhileReleasing();
    void storeStartAtLogin();
    void enableIncrementName();
    void fillEmptyPrefix();
    void browseSaveFolder();
    void browsePastingApp();
    void chooseFrameColor();
    void selectFileName();
    void browseSoundFile();
    void showHotkeys();
    void showDefaultPrinting();
    void showAutoCapture();
    // The check, then the current Settings are stored; false when a name was refused.
    bool apply();

    // The pasting application's name for the menu caption: the command as typed, or the bare
    // file name of a browsed program.
    QString pastingAppName_;
    qint64 frameColor_ = 0;
    // While the controls are being set from Settings, their changes are no edits.
    bool showingSettings_ = false;
};

}  // namespace qv::options
