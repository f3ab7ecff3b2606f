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

// The Options window. It edits a copy of the program's current Settings: opening shows the
// current ones, Apply and OK make the edited copy current and store it, Cancel and the
// title-bar close drop the edits. Only start at login is in force at once; the copy caption
// follows the autocopy box while editing and goes back with a dropped edit.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog();

    // The window's load at start-up: units and page setup, then the current Settings from the
    // store (or first-run defaults) with the menu captions they give.
    void load();

    // The Settings the controls show now.
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
    // Cancel, Escape and the title-bar close: the edits are dropped.
    void reject() override;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    // Sets the controls from settings without running the handlers a user's change runs.
    void showSettings(const Settings& settings);
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
    // The file-name check, then the edited Settings become current and are stored; false when
    // the name was refused.
    bool apply();

    // The pasting application's name for the menu caption: the command as typed, or the bare
    // file name of a browsed program.
    QString pastingAppName_;
    qint64 frameColor_ = 0;
};

}  // namespace qv::options
