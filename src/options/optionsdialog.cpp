#include "options/optionsdialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "autocapture/windows.h"
#include "options/windows.h"
#include "options/helpfile.h"
#include "options/menucaptions.h"
#include "options/registrystore.h"
#include "output/filenamerule.h"
#include "output/windows.h"
#include "platform/services.h"
#include "shell/windows.h"
#include "shell/program.h"
#include "toolkit/colors.h"
#include "toolkit/ownedwindow.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral("Quorvalline");
const QString kDefaultPrefix = QStringLiteral("Quorvalline_");
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
    startupFrame = new QGroupBox(QStringLiteral("Startup:"), this);
    Check6 =
        new QCheckBox(QStringLiteral("Start Quorvalline Automatically with Windows"), startupFrame);
    Command10 = button(QStringLiteral("&Help..."), startupFrame);

    windowsFrame =
        new QGroupBox(QStringLiteral("AutoCapture  Hotkeys  Default Printer   Options:"), this);
    Command11 = button(QStringLiteral("&Setup Autocapture..."), windowsFrame);
    Command9 = button(QStringLiteral("Setup &Default Printing..."), windowsFrame);
    Command8 = button(QStringLiteral("Configure Hot&keys..."), windowsFrame);

    automateFrame = new QGroupBox(QStringLiteral("Automate :"), this);
    Check2 = new QCheckBox(QStringLiteral("Autocopy to Clipboard"), automateFrame);
    Check3 = new QCheckBox(QStringLiteral("Release Desktop after Capture"), automateFrame);
    Check4 = new QCheckBox(QStringLiteral("Auto Popup context Menu"), automateFrame);
    Check5 = new QCheckBox(QStringLiteral("Show Current Size of Image"), automateFrame);
    Label7 = new QLabel(QStringLiteral("Play Sound:"), automateFrame);
    Text5 = new QLineEdit(automateFrame);
    Command12 = button(QStringLiteral("Browse..."), automateFrame);

    frameFrame = new QGroupBox(QStringLiteral("Color and Frame Options :"), this);
    Option3 = new QRadioButton(QStringLiteral("Outline Dotted"), frameFrame);
    Option4 = new QRadioButton(QStringLiteral("Outline Solid"), frameFrame);
    Check1 = new QCheckBox(QStringLiteral("Always Includ&e Outline to Capture"), frameFrame);
    Command5 = button(QStringLiteral("&Choose Outline Color..."), frameFrame);
    Label4 = new QLabel(QStringLiteral("Current Color:"), frameFrame);
    Label5 = new QLabel(frameFrame);
    Label5->setFixedSize(48, 20);
    Label5->setFrameShape(QFrame::Box);
    Label5->setAutoFillBackground(true);

    containerFrame = new QGroupBox(QStringLiteral("Container Application :"), this);
    Label2 = new QLabel(QStringLiteral("Default Application for Pasting:"), containerFrame);
    Text2 = new QLineEdit(containerFrame);
    Command2 = button(QStringLiteral("Bro&wse..."), containerFrame);
    Option5 = new QRadioButton(QStringLiteral("Always Launch a new Instance"), containerFrame);
    Option6 = new QRadioButton(QStringLiteral("Always Maximize existing Instance"), containerFrame);
    Text4 = new QLineEdit(containerFrame);

    savingFrame = new QGroupBox(QStringLiteral("Saving Options :"), this);
    Label1 = new QLabel(QStringLiteral("Default Save to:"), savingFrame);
    Text1 = new QLineEdit(savingFrame);
    Command1 = button(QStringLiteral("&Browse..."), savingFrame);
    Label3 = new QLabel(QStringLiteral("Filename:"), savingFrame);
    Text3 = new QLineEdit(savingFrame);
    Command6 = button(QStringLiteral("S&elect Name..."), savingFrame);
    Option1 = new QRadioButton(QStringLiteral("Prompt for Name on Saving"), savingFrame);
    Option2 = new QRadioButton(QStringLiteral("Increment File Name"), savingFrame);
    Label6 = new QLabel(QStringLiteral("Format:"), savingFrame);
    Combo1 = new QComboBox(savingFrame);

    Command7 = button(QStringLiteral("&Apply"), this);
    Command3 = button(QStringLiteral("&OK"), this);
    Command4 = button(QStringLiteral("Ca&ncel"), this);
    Command3->setDefault(true);
}

void OptionsDialog::buildLayout() {
    auto* saving = new QGridLayout(savingFrame);
    saving->addWidget(Label1, 0, 0, 1, 2);
    saving->addLayout(boxRow(Text1, Command1), 1, 0, 1, 2);
    saving->addWidget(Label3, 2, 0, 1, 2);
    saving->addLayout(boxRow(Text3, Command6), 3, 0, 1, 2);
    saving->addWidget(Option1, 4, 0);
    saving->addWidget(Option2, 5, 0);
    auto* format = new QHBoxLayout;
    format->addWidget(Label6);
    format->addWidget(Combo1);
    saving->addLayout(format, 4, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);

    auto* container = new QVBoxLayout(containerFrame);
    container->addWidget(Label2);
    container->addLayout(boxRow(Text2, Command2));
    container->addWidget(Option5);
    container->addWidget(Option6);

    auto* outline = new QGridLayout(frameFrame);
    outline->addWidget(Option3, 0, 0);
    outline->addWidget(Option4, 1, 0);
    outline->addWidget(Check1, 2, 0, 1, 2);
    outline->addWidget(Command5, 0, 1);
    auto* swatch = new QHBoxLayout;
    swatch->addWidget(Label4);
    swatch->addWidget(Label5);
    swatch->addStretch();
    outline->addLayout(swatch, 1, 1);

    auto* startup = new QVBoxLayout(startupFrame);
    startup->addWidget(Check6);
    startup->addWidget(Command10, 0, Qt::AlignLeft);

    auto* automate = new QVBoxLayout(automateFrame);
    for (QWidget* w : {static_cast<QWidget*>(Check2), static_cast<QWidget*>(Check3),
                       static_cast<QWidget*>(Check4), static_cast<QWidget*>(Check5),
                       static_cast<QWidget*>(Label7)})
        automate->addWidget(w);
    automate->addLayout(boxRow(Text5, Command12));

    auto* windows = new QVBoxLayout(windowsFrame);
    windows->addWidget(Command11);
    windows->addWidget(Command9);
    windows->addWidget(Command8);

    auto* left = new QVBoxLayout;
    left->addWidget(savingFrame);
    left->addWidget(containerFrame);
    left->addWidget(frameFrame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(startupFrame);
    right->addWidget(automateFrame);
    right->addWidget(windowsFrame);
    right->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command7);
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addLayout(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);
    Text1->setMinimumWidth(240);
    // The boxes of the left column end in one line.
    int browseWidth = 0;
    for (const QPushButton* b : {Command1, Command6, Command2})
        browseWidth = std::max(browseWidth, b->sizeHint().width());
    for (QPushButton* b : {Command1, Command6, Command2})
        b->setFixedWidth(browseWidth);
}

void OptionsDialog::connectHandlers() {
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this,
            [](bool on) { program().options.autopopupmenu = on; });
    connect(Check5, &QCheckBox::toggled, this,
            [](bool on) { program().options.showcurrentsize = on; });
    connect(Check6, &QCheckBox::toggled, this, [this] { Check6_Click(); });
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    Option2->installEventFilter(this);
    connect(Text2, &QLineEdit::textChanged, Text4, &QLineEdit::setText);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { hide(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { openHelpFile(this); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
}

bool OptionsDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(e);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Option2 && e->type() == QEvent::FocusOut)
        Option2_LostFocus();
    return QWidget::eventFilter(watched, e);
}

void OptionsDialog::closeEvent(QCloseEvent* e) {
    // Closed from its title bar the window unloads: unstored edits are gone, and the next
    // reader of an option loads it again from the store.
    e->accept();
    program().optionsWindows().optionsDialog.drop();
}

void OptionsDialog::Form_Activate() {
    auto& shell = program().shell;
    // Asking the frozen-screen window must not load it.
    shell::FrozenScreen* frozenScreen = program().shellWindows().frozenScreen.peek();
    if (frozenScreen && frozenScreen->isVisible())
        shell.freeze.dialogOpen = true;
    shell.freeze.pendingWindow = false;
    shell.freeze.pendingScreen = false;
    if (frozenScreen)
        frozenScreen->markerTimer->stop();
    Command3->setDefault(true);
}

void OptionsDialog::Check2_Click() {
    setMainMenuCaption(&shell::MainWindow::copyItem,
                       copyCaption(Check2->isChecked(), hotkeyText(kCopyRow)));
    resetMainMenu();
}

void OptionsDialog::Check3_Click() {
    const bool on = Check3->isChecked();
    program().options.autoreleasedesktop = on;
    if (on)
        Check2->setChecked(true);
    Check2->setEnabled(!on);
    if (on && isVisible() && !Check4->isChecked()) {
        platform::dialogs().message(
            QStringLiteral("Auto Popup Context Menu is not enabled, every Capture will be copied "
                           "to the Clipboard only ! "),
            platform::MsgButtons::Ok, platform::MsgIcon::Information, kTitle, this);
    }
}

void OptionsDialog::Check6_Click() {
    if (Check6->isChecked())
        writeText(platform::kRunKey, platform::kRunValue, QCoreApplication::applicationFilePath());
    else
        deleteValue(platform::kRunKey, platform::kRunValue);
}

void OptionsDialog::showNameBox(bool enabled) {
    Text3->setEnabled(enabled);
    Command6->setEnabled(enabled);
    QPalette palette = Text3->palette();
    palette.setColor(QPalette::Base, toolkit::colorFromValue(enabled ? kWindowColor : kMenuColor));
    Text3->setPalette(palette);
}

void OptionsDialog::Option1_Click() {
    showNameBox(false);
}

void OptionsDialog::Option2_Click() {
    showNameBox(true);
    Option2_LostFocus();
}

void OptionsDialog::Option2_LostFocus() {
    if (Text3->text().isEmpty())
        Text3->setText(kDefaultPrefix);
}

void OptionsDialog::Command1_Click() {
    if (auto folder =
            platform::dialogs().chooseFolder(QStringLiteral("Choose Folder:"), Text1->text(), this))
        Text1->setText(*folder);
}

void OptionsDialog::Command6_Click() {
    platform::FileDialogRequest request{
        QStringLiteral("Select File Name:"), Text1->text(), {}, QStringLiteral("Bitmap (*.bmp)")};
    if (auto path = platform::dialogs().saveFile(request, this)) {
        QString name = QFileInfo(*path).fileName();
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".bmp");
        Text3->setText(name);
    }
}

void OptionsDialog::Command2_Click() {
    // Programs on Linux mostly have no extension, so every file is offered.
    platform::FileDialogRequest request{
        QStringLiteral("Select File:"), {}, {}, QStringLiteral("All Files (*)")};
    if (auto path = platform::dialogs().openFile(request, this)) {
        Text2->setText(*path);
        Text4->setText(QFileInfo(*path).fileName());
    }
}

void OptionsDialog::Command12_Click() {
    platform::FileDialogRequest request{QStringLiteral("Select File:"),
                                        QFileInfo(Text5->text()).absolutePath(),
                                        {},
                                        QStringLiteral("Soundfiles (*.wav)")};
    if (auto path = platform::dialogs().openFile(request, this))
        Text5->setText(*path);
}

void OptionsDialog::Command5_Click() {
    if (shell::FrozenScreen* frozenScreen = program().shellWindows().frozenScreen.peek())
        frozenScreen->markerTimer->stop();
    if (auto color = platform::dialogs().chooseColor(QColor(Qt::black), this))
        setFrameColor(toolkit::colorValue(*color));
}

void OptionsDialog::setFrameColor(qint64 value) {
    program().options.framecolor = value;
    QPalette palette = Label5->palette();
    palette.setColor(QPalette::Window, toolkit::colorFromValue(value));
    Label5->setPalette(palette);
}

bool OptionsDialog::apply() {
    // An empty name passes here: increment mode fills it in.
    if (output::checkFileName(Text3->text()) == output::FileNameProblem::ForbiddenCharacter) {
        platform::dialogs().message(output::forbiddenCharactersMessage(), platform::MsgButtons::Ok,
                                    platform::MsgIcon::Critical, kTitle, this);
        return false;
    }
    saveinreg();
    resetMainMenu();
    return true;
}

void OptionsDialog::Command7_Click() {
    apply();
}

void OptionsDialog::Command3_Click() {
    if (apply())
        hide();
}

void OptionsDialog::Command8_Click() {
    toolkit::showOwned(program().optionsWindows().hotkeysDialog.get(), *this);
}

void OptionsDialog::Command9_Click() {
    setCursor(Qt::WaitCursor);
    toolkit::showOwned(program().outputWindows().defaultPrinting.get(), *this);
    unsetCursor();
}

void OptionsDialog::Command11_Click() {
    toolkit::showOwned(program().autocaptureWindows().jobList.get(), *this);
}

}  // namespace qv::options
