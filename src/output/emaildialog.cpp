#include "output/emaildialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "options/settings.h"
#include "options/state.h"
#include "output/namedsave.h"
#include "output/savecommands.h"
#include "output/saveformat.h"
#include "output/windows.h"
#include "platform/services.h"

namespace qv::output {

namespace {}  // namespace

EmailDialog::EmailDialog()
    : optionsGroup(new QGroupBox(QStringLiteral("Email Options:"), this)),
      fileNameLabel(new QLabel(QStringLiteral("Filename to be Send:"), optionsGroup)),
      fileNameEdit(new QLineEdit(QStringLiteral("Quorvalline"), optionsGroup)),
      formatLabel(new QLabel(QStringLiteral("Image Format :"), optionsGroup)),
      formatCombo(new QComboBox(optionsGroup)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setWindowTitle(QStringLiteral("Send Captured Image by Email "));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(optionsGroup);
    grid->addWidget(fileNameLabel, 0, 0);
    grid->addWidget(fileNameEdit, 1, 0);
    grid->addWidget(formatLabel, 0, 1);
    grid->addWidget(formatCombo, 1, 1);
    fileNameEdit->setMinimumWidth(220);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(optionsGroup);
    column->addLayout(buttons);

    for (const SaveFormat& f : saveFormats())
        formatCombo->addItem(f.extension);
    formatCombo->setCurrentIndex(formatCombo->findText(QStringLiteral(".jpg")));
    okButton->setDefault(true);

    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    // Enter in the name box is the default button's press.
    connect(fileNameEdit, &QLineEdit::returnPressed, this, [this] { accept(); });
    pressOnReturn(*formatCombo, *okButton);
}

void EmailDialog::showOverFrozenScreen() {
    output::showOverFrozenScreen(*this);
}

bool EmailDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        prepareForInput();
    return QWidget::event(event);
}

void EmailDialog::prepareForInput() {
    holdFrozenScreenForDialog();
    okButton->setDefault(true);
}

void EmailDialog::accept() {
    if (!fileNameAccepted(fileNameEdit->text()))
        return;
    const std::optional<QString> saved =
        saveIntoDefaultFolder(fileNameEdit->text(), formatCombo->currentText());
    if (!saved)
        return;
    capture::state().freeze.dialogOpen = false;
    hide();
    if (options::state().settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
    // The file stays in the default folder whatever the mail program does, so a failure here
    // loses nothing; it is only said.
    const QString reason = platform::mail().sendDocument(*saved);
    if (!reason.isEmpty()) {
        showSaveError({errornumber::MailFailed,
                       QStringLiteral("%1; the capture is saved as %2").arg(reason, *saved)});
    }
}

void EmailDialog::cancel() {
    hide();
    capture::state().freeze.dialogOpen = false;
}

void EmailDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    discard();
}

void EmailDialog::discard() {
    capture::state().freeze.dialogOpen = false;
    output::windows().emailDialog.drop();
}

}  // namespace qv::output
