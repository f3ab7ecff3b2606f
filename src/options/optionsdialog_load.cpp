// The Options window's load, the controls shown from and read into Settings, and the default
// page setup.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include "options/hotkeycommands.h"
#include "options/menucaptions.h"
#include "options/optionsdialog.h"
#include "options/otherwindows.h"
#include "options/settingsstore.h"
#include "options/state.h"
#include "toolkit/combo.h"

namespace qv::options {

void OptionsDialog::load() {
    {
        const QScopedValueRollback filling(showingSettings_, true);
        for (ImageFormat format : kImageFormats)
            formatCombo->addItem(extensionOf(format));
        formatCombo->setCurrentIndex(0);
    }
    otherWindows().loadDefaultPageSetup();
    readStoredSettings();
}

void OptionsDialog::readStoredSettings() {
    const bool stored = SettingsStore::stored();
    Settings& current = options::state().settings;
    const bool startAtLogin = current.startAtLogin;
    current = SettingsStore().load();
    current.startAtLogin = startAtLogin;
    // A first run names the application without a hotkey; a stored one names the hotkey too.
    setMainMenuCaption(MenuItem::PastingApplication,
                       stored ? pastingAppCaption(current.pastingAppName, QStringLiteral("  "),
                                                  hotkeyText(RowPastingApp))
                              : pastingAppCaption(current.pastingAppName, {}, {}));
    // The copy caption changes with the box; at the first load the box starts clear.
    if (current.autoCopy != autoCopyBox->isChecked())
        setMainMenuCaption(MenuItem::CopyToClipboard,
                           copyCaption(current.autoCopy, hotkeyText(RowCopy)));
    updateMainMenuPictures();
    showSettings(current);
}

void OptionsDialog::showSettings(const Settings& s) {
    const QScopedValueRollback showing(showingSettings_, true);
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(autoCopyBox),         QSignalBlocker(releaseAfterCaptureBox),
            QSignalBlocker(startAtLoginBox),     QSignalBlocker(promptForNameButton),
            QSignalBlocker(incrementNameButton), QSignalBlocker(pastingAppEdit)};
        saveFolderEdit->setText(s.saveFolder);
        fileNamePrefixEdit->setText(s.fileNamePrefix);
        toolkit::selectText(formatCombo, extensionOf(s.format));
        promptForNameButton->setChecked(s.naming == SaveNaming::Prompt);
        incrementNameButton->setChecked(s.naming == SaveNaming::Increment);

        pastingAppEdit->setText(s.pastingAppPath);
        pastingAppName_ = s.pastingAppName;
        newInstanceButton->setChecked(s.pastingLaunch == PastingLaunch::NewInstance);
        restoreExistingButton->setChecked(s.pastingLaunch == PastingLaunch::RestoreExisting);

        showFrameColor(s.frameColor);
        dottedOutlineButton->setChecked(s.outline == FrameOutline::Dotted);
        solidOutlineButton->setChecked(s.outline == FrameOutline::Solid);
        includeOutlineBox->setChecked(s.includeOutline);

        autoCopyBox->setChecked(s.autoCopy || s.releaseAfterCapture);
        releaseAfterCaptureBox->setChecked(s.releaseAfterCapture);
        autoPopupMenuBox->setChecked(s.autoPopupMenu);
        showCurrentSizeBox->setChecked(s.showCurrentSize);
        soundFileEdit->setText(s.soundFile);
        startAtLoginBox->setChecked(s.startAtLogin);
    }
    autoCopyBox->setEnabled(!s.releaseAfterCapture);
    enablePrefixBox(s.naming == SaveNaming::Increment);
}

Settings OptionsDialog::editedSettings() const {
    Settings s;
    s.saveFolder = saveFolderEdit->text();
    s.fileNamePrefix = fileNamePrefixEdit->text();
    for (ImageFormat format : kImageFormats) {
        if (extensionOf(format) == formatCombo->currentText())
            s.format = format;
    }
    s.naming = incrementNameButton->isChecked() ? SaveNaming::Increment : SaveNaming::Prompt;
    s.pastingAppPath = pastingAppEdit->text();
    s.pastingAppName = pastingAppName_;
    s.pastingLaunch = newInstanceButton->isChecked() ? PastingLaunch::NewInstance
                                                     : PastingLaunch::RestoreExisting;
    s.frameColor = frameColor_;
    s.outline = solidOutlineButton->isChecked() ? FrameOutline::Solid : FrameOutline::Dotted;
    s.includeOutline = includeOutlineBox->isChecked();
    s.autoCopy = autoCopyBox->isChecked();
    s.releaseAfterCapture = releaseAfterCaptureBox->isChecked();
    s.autoPopupMenu = autoPopupMenuBox->isChecked();
    s.showCurrentSize = showCurrentSizeBox->isChecked();
    s.soundFile = soundFileEdit->text();
    s.startAtLogin = startAtLoginBox->isChecked();
    return s;
}

}  // namespace qv::options
