#include "output/savedialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "options/windows.h"
#include "output/filenamerule.h"
#include "output/windows.h"
#include "output/imageformat.h"
#include "output/savecommands.h"
#include "platform/services.h"
#include "shell/windows.h"
#include "shell/cursors.h"
#include "shell/program.h"
#include "toolkit/ownedwindow.h"

namespace qv::output {

namespace {

// Gives a window the saving pointer for its lifetime, then the one it had before.
class SavingPointer {
public:
    explicit SavingPointer(QWidget& window) : window_(window), previous_(window.cursor()) {
        window.setCursor(shell::cursors::saving());
    }
    ~SavingPointer() { window_.setCursor(previous_); }
    SavingPointer(const SavingPointer&) = delete;
    SavingPointer& operator=(const SavingPointer&) = delete;

private:
    QWidget& window_;
    QCursor previous_;
};

void refuse(const QString& text, const QString& title) {
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
}

}  // namespace

SaveDialog::SaveDialog()
    : Label1(new QLabel(QStringLiteral("Please type in the Filename :"), this)),
      Text1(new QLineEdit(this)),
      Label3(new QLabel(QStringLiteral("Image Format:"), this)),
      Combo1(new QComboBox(this)),
      Label2(new QLabel(this)),
      OKButton(new QPushButton(QStringLiteral("&OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setWindowTitle(QStringLiteral("Save Captured Image"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Text1, 1, 0);
    auto* format = new QHBoxLayout;
    format->addWidget(Label3);
    format->addWidget(Combo1);
    grid->addLayout(format, 1, 1);
    grid->addWidget(Label2, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    Text1->setMinimumWidth(220);

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    // Enter in the name box is the default button's press.
    connect(Text1, &QLineEdit::returnPressed, this, [this] { OKButton_Click(); });
    Form_Load();
}

void SaveDialog::Form_Load() {
    Text1->clear();
    showFolder();
    for (const ImageFormat& f : imageFormats())
        Combo1->addItem(f.extension);
    const int chosen =
        Combo1->findText(program().optionsWindows().optionsDialog->Combo1->currentText(), Qt::MatchExactly);
    if (chosen >= 0)
        Combo1->setCurrentIndex(chosen);
    OKButton->setDefault(true);
}

void SaveDialog::showFolder() {
    QString folder = program().optionsWindows().optionsDialog->Text1->text();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    Label2->setText(QStringLiteral("Default Directory: ") + folder);
}

void SaveDialog::showOverFrozenScreen() {
    toolkit::showOwned(*this, program().shellWindows().frozenScreen.get());
    // The activation has to have run when this returns, as the window system may be late.
    QApplication::setActiveWindow(this);
}

bool SaveDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void SaveDialog::Form_Activate() {
    auto& shell = program().shell;
    shell.freeze.dialogOpen = true;
    shell.freeze.pendingScreen = false;
    shell.freeze.pendingWindow = false;
    showFolder();
    OKButton->setDefault(true);
}

void SaveDialog::OKButton_Click() {
    const FileNameProblem problem = checkFileName(Text1->text());
    if (problem == FileNameProblem::ForbiddenCharacter) {
        refuse(forbiddenCharactersMessage(), QStringLiteral("Quorvalline"));
        return;
    }
    if (problem == FileNameProblem::Empty) {
        refuse(QStringLiteral("Invalid Filename"), QStringLiteral(" Quorvalline "));
        return;
    }
    bool saved = false;
    {
        const SavingPointer busy(*this);
        saved = save();
    }
    if (!saved)
        return;
    program().shell.freeze.dialogOpen = false;
    hide();
    showFrozenScreenOrRelease();
}

bool SaveDialog::save() {
    const ImageFormat& format = imageFormatFor(Combo1->currentText());
    const QString folder = program().optionsWindows().optionsDialog->Text1->text();
    if (const auto problem = defaultFolderProblem(folder)) {
        showSaveError(*problem);
        return false;
    }
    const QString target = QDir(folder).filePath(Text1->text() + format.extension);
    // Declining keeps the dialog up, so another name can be typed.
    if (!overwriteAllowed(target))
        return false;
    if (const auto error = saveCapture(target, format)) {
        showSaveError(*error);
        return false;
    }
    return true;
}

void SaveDialog::CancelButton_Click() {
    hide();
    program().shell.freeze.dialogOpen = false;
}

void SaveDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void SaveDialog::Form_Unload() {
    program().shell.freeze.dialogOpen = false;
    // The next use builds the dialog afresh, as after its first load.
    program().outputWindows().saveDialog.drop();
}

}  // namespace qv::output
