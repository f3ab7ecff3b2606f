// The Options window's load, the controls shown from and read into Settings, and the default
// page setup.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "options/hotkeycommands.h"
#include "options/menucaptions.h"
#include "options/optionsdialog.h"
#include "options/settingsstore.h"
#include "output/printing/pagesetuprecords.h"
#include "output/windows.h"
#include "shell/program.h"

namespace qv::options {

namespace {

void selectItem(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

}  // namespace

void OptionsDialog::load() {
    for (ImageFormat format : kImageFormats)
        formatCombo->addItem(extensionOf(format));
    formatCombo->setCurrentIndex(0);
    loadPageSetup();

    const bool stored = SettingsStore::stored();
    Settings& current = program().options.settings;
    const bool startAtLogin = current.startAtLogin;
    current = SettingsStore().load();
    current.startAtLogin = startAtLogin;
    // A first run names the application without a hotkey; a stored one names the hotkey too.
    setMainMenuCaption(MenuItem::PastingApplication,
                       stored ? containerAppCaption(current.pastingAppName, QStringLiteral("  "),
                                                    hotkeyText(kContainerAppRow))
                              : containerAppCaption(current.pastingAppName, {}, {}));
    // The copy caption starts from the main window's until autocopy changes it.
    if (current.autoCopy)
        setMainMenuCaption(MenuItem::CopyToClipboard, copyCaption(true, hotkeyText(kCopyRow)));
    resetMainMenu();
    showSettings(current);
}

void OptionsDialog::showSettings(const Settings& s) {
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(autoCopyBox),         QSignalBlocker(releaseAfterCaptureBox),
            QSignalBlocker(startAtLoginBox),     QSignalBlocker(promptForNameButton),
            QSignalBlocker(incrementNameButton), QSignalBlocker(pastingAppEdit)};
        saveFolderEdit->setText(s.saveFolder);
        fileNamePrefixEdit->setText(s.fileNamePrefix);
        selectItem(formatCombo, extensionOf(s.format));
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
    showNameBox(s.naming == SaveNaming::Increment);
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

void OptionsDialog::loadPageSetup() {
    output::State& out = program().output;
    output::DefaultPageSetup& setup = out.defaultPageSetup;
    out.storedUnits = output::readStoredUnits();
    output::readLocaleUnits(out);

    if (!output::defaultRecordExists()) {
        if (const auto margins = output::firstUseMargins(out.localeUnits))
            setup.margins = *margins;
        setup.copies = QStringLiteral("1");
        setup.orientation = QStringLiteral("Portrait");
        setup.alignment = QStringLiteral("Top Left");
        writeDefaultPageSetup();
        return;
    }

    readDefaultPageSetup();
    // A locale whose units are unknown converts nothing.
    if (out.localeUnits && out.storedUnits != out.localeUnits) {
        out.unitsChanged = true;
        setup.margins =
            output::convertedMargins(setup.margins, out.storedUnits, out.decimalSeparator);
        writeDefaultPageSetup();
    }

    output::DefaultPrintingDialog& defaultPrinting =
        program().outputWindows().defaultPrinting.get();
    defaultPrinting.leftMarginEdit->setText(setup.margins.left);
    defaultPrinting.topMarginEdit->setText(setup.margins.top);
    defaultPrinting.rightMarginEdit->setText(setup.margins.right);
    defaultPrinting.bottomMarginEdit->setText(setup.margins.bottom);
    defaultPrinting.copiesEdit->setText(setup.copies);
    if (setup.orientation == QStringLiteral("Portrait"))
        defaultPrinting.portraitButton->setChecked(true);
    else if (setup.orientation == QStringLiteral("Landscape"))
        defaultPrinting.landscapeButton->setChecked(true);
}

void OptionsDialog::writeDefaultPageSetup() {
    const output::State& out = program().output;
    output::writeDefaultRecord(out.defaultPageSetup, out.currentUnits);
}

void OptionsDialog::readDefaultPageSetup() {
    output::State& out = program().output;
    out.defaultPageSetup = output::readDefaultRecord();
    selectItem(program().outputWindows().defaultPrinting->alignmentCombo,
               out.defaultPageSetup.alignment);
}

}  // namespace qv::options
