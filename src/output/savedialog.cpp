#include "output/savedialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/settings.h"
#include "options/state.h"
#include "output/namedsave.h"
#include "output/savecommands.h"
#include "output/saveformat.h"
#include "output/savingcursor.h"
#include "output/windows.h"
#include "platform/services.h"

namespace qv::output {

namespace {

// Gives a window the saving pointer for its lifetime, then the one it had before.
class SavingPointerScope {
public:
    explicit SavingPointerScope(QWidget& window) : window_(window), previous_(window.cursor()) {
        window.setCursor(cursors::saving());
    }
    ~SavingPointerScope() { window_.setCursor(previous_); }
    SavingPointerScope(const SavingPointerScope&) = delete;
    SavingPointerScope& operator=(const SavingPointerScope&) = delete;

private:
    QWidget& window_;
    QCursor previous_;
};

}  // namespace

SaveDialog::SaveDialog()
    : fileNameLabel(new QLabel(QStringLiteral("Please type in the Filename :"), this)),
      fileNameEdit(new QLineEdit(this)),
      formatLabel(new QLabel(QStringLiteral("Image Format:"), this)),
      formatCombo(new QComboBox(this)),
      folderLabel(new QLabel(this)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setWindowTitle(QStringLiteral("Save Captured Image"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(this);
    grid->addWidget(fileNameLabel, 0, 0, 1, 2);
    grid->addWidget(fileNameEdit, 1, 0);
    auto* format = new QHBoxLayout;
    format->addWidget(formatLabel);
    format->addWidget(formatCombo);
    grid->addLayout(format, 1, 1);
    grid->addWidget(folderLabel, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    fileNameEdit->setMinimumWidth(220);

    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    // Enter in the name box is the default button's press.
    connect(fileNameEdit, &QLineEdit::returnPressed, this, [this] { accept(); });
    pressOnReturn(*formatCombo, *okButton);
    fillIn();
}

void SaveDialog::fillIn() {
    fileNameEdit->clear();
    showFolder();
    for (const SaveFormat& f : saveFormats())
        formatCombo->addItem(f.extension);
    const int chosen = formatCombo->findText(options::extensionOf(options::state().settings.format),
                                             Qt::MatchExactly);
    if (chosen >= 0)
        formatCombo->setCurrentIndex(chosen);
    okButton->setDefault(true);
}

void SaveDialog::showFolder() {
    QString folder = options::state().settings.saveFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    folderLabel->setText(QStringLiteral("Default Directory: ") + folder);
}

void SaveDialog::showOverFrozenScreen() {
    output::showOverFrozenScreen(*this);
}

bool SaveDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        prepareForInput();
    return QWidget::event(event);
}

void SaveDialog::prepareForInput() {
    holdFrozenScreenForDialog();
    showFolder();
    okButton->setDefault(true);
}

void SaveDialog::accept() {
    if (!fileNameAccepted(fileNameEdit->text()))
        return;
    bool saved = false;
    {
        const SavingPointerScope busy(*this);
        saved = saveIntoDefaultFolder(fileNameEdit->text(), formatCombo->currentText()).has_value();
    }
    if (!saved)
        return;
    capture::state().freeze.dialogOpen = false;
    hide();
    showFrozenScreenOrRelease();
}

void SaveDialog::cancel() {
    hide();
    capture::state().freeze.dialogOpen = false;
}

void SaveDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    discard();
}

void SaveDialog::discard() {
    capture::state().freeze.dialogOpen = false;
    // The next use builds the dialog afresh, as after its first load.
    output::windows().saveDialog.drop();
}

}  // namespace qv::output
