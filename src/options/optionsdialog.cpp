#include "options/optionsdialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <limits>

#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/filenamerule.h"
#include "options/helpfile.h"
#include "options/hotkeycommands.h"
#include "options/menucaptions.h"
#include "options/otherwindows.h"
#include "options/settingsstore.h"
#include "options/state.h"
#include "options/windows.h"
#include "platform/services.h"
#include "toolkit/colors.h"
#include "toolkit/ownedwindow.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral("Quorvalline");
const QString kDefaultPrefix = QStringLiteral("Quorvalline_");
const QString kForbiddenInFolder =
    QStringLiteral("Not allowed in the Folder :   line breaks, tabs and \"..\" as a folder name  ");
constexpr qint64 kMenuColor = toolkit::kSystemColorFlag | 4;
constexpr qint64 kWindowColor = toolkit::kSystemColorFlag | 5;

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

// A text box with its browse button on one row.
QHBoxLayout* boxRow(QLineEdit* box, QPushButton* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(browse);
    return row;
}

}  // namespace

OptionsDialog::OptionsDialog() {
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildControls();
    buildLayout();
    connectHandlers();
}

void OptionsDialog::buildControls() {
    startupGroup = new QGroupBox(QStringLiteral("Startup:"), this);
    startAtLoginBox =
        new QCheckBox(QStringLiteral("Start Quorvalline Automatically at Login"), startupGroup);
    helpButton = button(QStringLiteral("&Help..."), startupGroup);

    windowsGroup =
        new QGroupBox(QStringLiteral("AutoCapture  Hotkeys  Default Printer   Options:"), this);
    autoCaptureButton = button(QStringLiteral("&Setup Autocapture..."), windowsGroup);
    defaultPrintingButton = button(QStringLiteral("Setup &Default Printing..."), windowsGroup);
    hotkeysButton = button(QStringLiteral("Configure Hot&keys..."), windowsGroup);

    automateGroup = new QGroupBox(QStringLiteral("Automate :"), this);
    autoCopyBox = new QCheckBox(QStringLiteral("Autocopy to Clipboard"), automateGroup);
    releaseAfterCaptureBox =
        new QCheckBox(QStringLiteral("Release Desktop after Capture"), automateGroup);
    autoPopupMenuBox = new QCheckBox(QStringLiteral("Auto Popup context Menu"), automateGroup);
    showCurrentSizeBox = new QCheckBox(QStringLiteral("Show Current Size of Image"), automateGroup);
    soundLabel = new QLabel(QStringLiteral("Play Sound:"), automateGroup);
    soundFileEdit = new QLineEdit(automateGroup);
    browseSoundButton = button(QStringLiteral("Browse..."), automateGroup);

    outlineGroup = new QGroupBox(QStringLiteral("Color and Frame Options :"), this);
    dottedOutlineButton = new QRadioButton(QStringLiteral("Outline Dotted"), outlineGroup);
    solidOutlineButton = new QRadioButton(QStringLiteral("Outline Solid"), outlineGroup);
    includeOutlineBox =
        new QCheckBox(QStringLiteral("Always Includ&e Outline to Capture"), outlineGroup);
    chooseColorButton = button(QStringLiteral("&Choose Outline Color..."), outlineGroup);
    colorLabel = new QLabel(QStringLiteral("Current Color:"), outlineGroup);
    colorSwatch = new QLabel(outlineGroup);
    colorSwatch->setFixedSize(48, 20);
    colorSwatch->setFrameShape(QFrame::Box);
    colorSwatch->setAutoFillBackground(true);

    pastingAppGroup = new QGroupBox(QStringLiteral("Container Application :"), this);
    pastingAppLabel =
        new QLabel(QStringLiteral("Default Application for Pasting:"), pastingAppGroup);
    pastingAppEdit = new QLineEdit(pastingAppGroup);
    browsePastingAppButton = button(QStringLiteral("Bro&wse..."), pastingAppGroup);
    newInstanceButton =
        new QRadioButton(QStringLiteral("Always Launch a new Instance"), pastingAppGroup);
    restoreExistingButton =
        new QRadioButton(QStringLiteral("Always Maximize existing Instance"), pastingAppGroup);

    savingGroup = new QGroupBox(QStringLiteral("Saving Options :"), this);
    saveFolderLabel = new QLabel(QStringLiteral("Default Save to:"), savingGroup);
    saveFolderEdit = new QLineEdit(savingGroup);
    browseSaveFolderButton = button(QStringLiteral("&Browse..."), savingGroup);
    fileNameLabel = new QLabel(QStringLiteral("Filename:"), savingGroup);
    fileNamePrefixEdit = new QLineEdit(savingGroup);
    selectNameButton = button(QStringLiteral("S&elect Name..."), savingGroup);
    promptForNameButton =
        new QRadioButton(QStringLiteral("Prompt for Name on Saving"), savingGroup);
    incrementNameButton = new QRadioButton(QStringLiteral("Increment File Name"), savingGroup);
    formatLabel = new QLabel(QStringLiteral("Format:"), savingGroup);
    formatCombo = new QComboBox(savingGroup);

    applyButton = button(QStringLiteral("&Apply"), this);
    okButton = button(QStringLiteral("&OK"), this);
    cancelButton = button(QStringLiteral("Ca&ncel"), this);
    okButton->setDefault(true);
}

void OptionsDialog::buildLayout() {
    auto* saving = new QGridLayout(savingGroup);
    saving->addWidget(saveFolderLabel, 0, 0, 1, 2);
    saving->addLayout(boxRow(saveFolderEdit, browseSaveFolderButton), 1, 0, 1, 2);
    saving->addWidget(fileNameLabel, 2, 0, 1, 2);
    saving->addLayout(boxRow(fileNamePrefixEdit, selectNameButton), 3, 0, 1, 2);
    saving->addWidget(promptForNameButton, 4, 0);
    saving->addWidget(incrementNameButton, 5, 0);
    auto* format = new QHBoxLayout;
    format->addWidget(formatLabel);
    format->addWidget(formatCombo);
    saving->addLayout(format, 4, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);

    auto* pasting = new QVBoxLayout(pastingAppGroup);
    pasting->addWidget(pastingAppLabel);
    pasting->addLayout(boxRow(pastingAppEdit, browsePastingAppButton));
    pasting->addWidget(newInstanceButton);
    pasting->addWidget(restoreExistingButton);

    auto* outline = new QGridLayout(outlineGroup);
    outline->addWidget(dottedOutlineButton, 0, 0);
    outline->addWidget(solidOutlineButton, 1, 0);
    outline->addWidget(includeOutlineBox, 2, 0, 1, 2);
    outline->addWidget(chooseColorButton, 0, 1);
    auto* swatch = new QHBoxLayout;
    swatch->addWidget(colorLabel);
    swatch->addWidget(colorSwatch);
    swatch->addStretch();
    outline->addLayout(swatch, 1, 1);

    auto* startup = new QVBoxLayout(startupGroup);
    startup->addWidget(startAtLoginBox);
    startup->addWidget(helpButton, 0, Qt::AlignLeft);

    auto* automate = new QVBoxLayout(automateGroup);
    for (QWidget* w :
         {static_cast<QWidget*>(autoCopyBox), static_cast<QWidget*>(releaseAfterCaptureBox),
          static_cast<QWidget*>(autoPopupMenuBox), static_cast<QWidget*>(showCurrentSizeBox),
          static_cast<QWidget*>(soundLabel)})
        automate->addWidget(w);
    automate->addLayout(boxRow(soundFileEdit, browseSoundButton));

    auto* windows = new QVBoxLayout(windowsGroup);
    windows->addWidget(autoCaptureButton);
    windows->addWidget(defaultPrintingButton);
    windows->addWidget(hotkeysButton);

    auto* left = new QVBoxLayout;
    left->addWidget(savingGroup);
    left->addWidget(pastingAppGroup);
    left->addWidget(outlineGroup);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(startupGroup);
    right->addWidget(automateGroup);
    right->addWidget(windowsGroup);
    right->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addLayout(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);
    saveFolderEdit->setMinimumWidth(240);
    // A stored path or prefix of any length comes back whole; QLineEdit would cut it at 32767.
    for (QLineEdit* edit : {saveFolderEdit, fileNamePrefixEdit, pastingAppEdit, soundFileEdit})
        edit->setMaxLength(std::numeric_limits<int>::max());
    // The boxes of the left column end in one line.
    int browseWidth = 0;
    for (const QPushButton* b : {browseSaveFolderButton, selectNameButton, browsePastingAppButton})
        browseWidth = std::max(browseWidth, b->sizeHint().width());
    for (QPushButton* b : {browseSaveFolderButton, selectNameButton, browsePastingAppButton})
        b->setFixedWidth(browseWidth);
}

void OptionsDialog::connectHandlers() {
    // Connected first, so that the handlers below, and anything a message box of theirs lets
    // run, find the edit in force.
    for (QLineEdit* edit : {saveFolderEdit, fileNamePrefixEdit, soundFileEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { putEditsInForce(); });
    for (QAbstractButton* choice : std::initializer_list<QAbstractButton*>{
             autoCopyBox, releaseAfterCaptureBox, autoPopupMenuBox, showCurrentSizeBox,
             includeOutlineBox, dottedOutlineButton, solidOutlineButton, newInstanceButton,
             restoreExistingButton, promptForNameButton, incrementNameButton})
        connect(choice, &QAbstractButton::toggled, this, [this] { putEditsInForce(); });
    connect(formatCombo, &QComboBox::currentIndexChanged, this, [this] { putEditsInForce(); });

    connect(autoCopyBox, &QCheckBox::toggled, this, [this] { showAutoCopyCaption(); });
    connect(releaseAfterCaptureBox, &QCheckBox::toggled, this,
            [this] { forceAutoCopyWhileReleasing(); });
    connect(startAtLoginBox, &QCheckBox::toggled, this, [this] { storeStartAtLogin(); });
    connect(promptForNameButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            enablePrefixBox(false);
    });
    connect(incrementNameButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            enableIncrementName();
    });
    incrementNameButton->installEventFilter(this);
    connect(pastingAppEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        pastingAppName_ = text;
        putEditsInForce();
    });
    connect(browseSaveFolderButton, &QPushButton::clicked, this, [this] { browseSaveFolder(); });
    connect(browsePastingAppButton, &QPushButton::clicked, this, [this] { browsePastingApp(); });
    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(chooseColorButton, &QPushButton::clicked, this, [this] { chooseFrameColor(); });
    connect(selectNameButton, &QPushButton::clicked, this, [this] { selectFileName(); });
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(); });
    connect(hotkeysButton, &QPushButton::clicked, this, [this] { showHotkeys(); });
    connect(defaultPrintingButton, &QPushButton::clicked, this, [this] { showDefaultPrinting(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { openHelpFile(this); });
    connect(autoCaptureButton, &QPushButton::clicked, this, [this] { showAutoCapture(); });
    connect(browseSoundButton, &QPushButton::clicked, this, [this] { browseSoundFile(); });
}

bool OptionsDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        takeOverFromFrozenScreen();
    return QDialog::event(e);
}

void OptionsDialog::closeEvent(QCloseEvent* e) {
    // Only Apply and OK keep edits beyond this window; closing it goes back to what they kept.
    readStoredSettings();
    QDialog::closeEvent(e);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* e) {
    if (watched == incrementNameButton && e->type() == QEvent::FocusOut)
        fillEmptyPrefix();
    return QDialog::eventFilter(watched, e);
}

void OptionsDialog::showEvent(QShowEvent* e) {
    // Every opening starts from the current settings; coming back from a minimised state
    // keeps the edits.
    if (!e->spontaneous())
        showSettings(options::state().settings);
    QDialog::showEvent(e);
}

void OptionsDialog::takeOverFromFrozenScreen() {
    auto& captureState = capture::state();
    const QWidget* frozenScreen = capture::shellControl().frozenScreenIfExists();
    if (frozenScreen && frozenScreen->isVisible())
        captureState.freeze.dialogOpen = true;
    captureState.freeze.pendingWindow = false;
    captureState.freeze.pendingScreen = false;
    capture::shellControl().stopCaptureMarker();
    okButton->setDefault(true);
}

void OptionsDialog::showAutoCopyCaption() {
    setMainMenuCaption(MenuItem::CopyToClipboard,
                       copyCaption(autoCopyBox->isChecked(), hotkeyText(RowCopy)));
    updateMainMenuPictures();
}

void OptionsDialog::forceAutoCopyWhileReleasing() {
    const bool on = releaseAfterCaptureBox->isChecked();
    if (on)
        autoCopyBox->setChecked(true);
    autoCopyBox->setEnabled(!on);
    if (on && isVisible() && !autoPopupMenuBox->isChecked()) {
        platform::dialogs().message(
            QStringLiteral("Auto Popup Context Menu is not enabled, every Capture will be copied "
                           "to the Clipboard only ! "),
            platform::MsgButtons::Ok, platform::MsgIcon::Information, kTitle, this);
    }
}

void OptionsDialog::storeStartAtLogin() {
    const bool on = startAtLoginBox->isChecked();
    SettingsStore::writeStartAtLogin(on);
    options::state().settings.startAtLogin = on;
}

void OptionsDialog::enablePrefixBox(bool enabled) {
    fileNamePrefixEdit->setEnabled(enabled);
    selectNameButton->setEnabled(enabled);
    QPalette palette = fileNamePrefixEdit->palette();
    palette.setColor(QPalette::Base, toolkit::colorFromValue(enabled ? kWindowColor : kMenuColor));
    fileNamePrefixEdit->setPalette(palette);
}

void OptionsDialog::enableIncrementName() {
    enablePrefixBox(true);
    fillEmptyPrefix();
}

void OptionsDialog::fillEmptyPrefix() {
    if (fileNamePrefixEdit->text().isEmpty())
        fileNamePrefixEdit->setText(kDefaultPrefix);
}

void OptionsDialog::browseSaveFolder() {
    if (auto folder = platform::dialogs().chooseFolder(QStringLiteral("Choose Folder:"),
                                                       saveFolderEdit->text(), this))
        saveFolderEdit->setText(*folder);
}

void OptionsDialog::selectFileName() {
    platform::FileDialogRequest request{QStringLiteral("Select File Name:"),
                                        saveFolderEdit->text(),
                                        {},
                                        QStringLiteral("Bitmap (*.bmp)")};
    if (auto path = platform::dialogs().saveFile(request, this)) {
        QString name = QFileInfo(*path).fileName();
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".bmp");
        fileNamePrefixEdit->setText(name);
    }
}

void OptionsDialog::browsePastingApp() {
    // Programs on Linux mostly have no extension, so every file is offered.
    platform::FileDialogRequest request{
        QStringLiteral("Select File:"), {}, {}, QStringLiteral("All Files (*)")};
    if (auto path = platform::dialogs().openFile(request, this)) {
        pastingAppEdit->setText(*path);
        pastingAppName_ = QFileInfo(*path).fileName();
        putEditsInForce();
    }
}

void OptionsDialog::browseSoundFile() {
    platform::FileDialogRequest request{QStringLiteral("Select File:"),
                                        QFileInfo(soundFileEdit->text()).absolutePath(),
                                        {},
                                        QStringLiteral("Soundfiles (*.wav)")};
    if (auto path = platform::dialogs().openFile(request, this))
        soundFileEdit->setText(*path);
}

void OptionsDialog::chooseFrameColor() {
    capture::shellControl().stopCaptureMarker();
    if (auto color = platform::dialogs().chooseColor(QColor(Qt::black), this)) {
        showFrameColor(toolkit::colorValue(*color));
        putEditsInForce();
    }
}

void OptionsDialog::showFrameColor(qint64 value) {
    frameColor_ = value;
    QPalette palette = colorSwatch->palette();
    palette.setColor(QPalette::Window, toolkit::colorFromValue(value));
    colorSwatch->setPalette(palette);
}

void OptionsDialog::putEditsInForce() {
    if (showingSettings_)
        return;
    Settings& current = options::state().settings;
    Settings edited = editedSettings();
    if (!fileNameRefusal(edited.fileNamePrefix, NameEnding::NumberAndExtension).isEmpty())
        edited.fileNamePrefix = current.fileNamePrefix;
    if (checkFolderPath(edited.saveFolder) == FileNameProblem::ForbiddenCharacter)
        edited.saveFolder = current.saveFolder;
    keepConsistent(edited);
    current = edited;
}

bool OptionsDialog::namesCanBeStored() {
    auto refuse = [this](const QString& text) {
        platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                                    kTitle, this);
        return false;
    };
    // An empty name passes here: increment mode fills it in.
    const QString prefixRefusal =
        fileNameRefusal(fileNamePrefixEdit->text(), NameEnding::NumberAndExtension);
    if (!prefixRefusal.isEmpty())
        return refuse(prefixRefusal);
    if (checkFolderPath(saveFolderEdit->text()) == FileNameProblem::ForbiddenCharacter)
        return refuse(kForbiddenInFolder);
    return true;
}

bool OptionsDialog::apply() {
    if (!namesCanBeStored())
        return false;
    if (incrementNameButton->isChecked())
        fillEmptyPrefix();
    const Settings& current = options::state().settings;
    SettingsStore().save(current);
    setMainMenuCaption(
        MenuItem::PastingApplication,
        pastingAppCaption(current.pastingAppName, QStringLiteral(" "), hotkeyText(RowPastingApp)));
    updateMainMenuPictures();
    return true;
}

void OptionsDialog::accept() {
    if (apply())
        QDialog::accept();
}

void OptionsDialog::showHotkeys() {
    toolkit::showOwned(options::windows().hotkeysDialog.get(), *this);
}

void OptionsDialog::showDefaultPrinting() {
    setCursor(Qt::WaitCursor);
    otherWindows().showDefaultPrinting(*this);
    unsetCursor();
}

void OptionsDialog::showAutoCapture() {
    otherWindows().showJobList(*this);
}

}  // namespace qv::options
