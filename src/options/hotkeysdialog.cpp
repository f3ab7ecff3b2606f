#include "options/hotkeysdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "options/hotkeyregistration.h"
#include "options/hotkeystore.h"
#include "options/hotkeytable.h"
#include "options/registrystore.h"
#include "platform/services.h"
#include "shell/program.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");
constexpr int kTimer1Interval = 100;

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// A row is replaced as a whole, so a selection on it goes with it.
void replaceRow(QListWidget* list, int row, const QString& text) {
    delete list->takeItem(row);
    list->insertItem(row, text);
}

QStringList rowsOf(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

}  // namespace

HotkeysDialog::HotkeysDialog() : Timer1(platform::clock().createTimer()) {
    buildControls();
    Timer1->onTimeout = [this] { Timer1_Timer(); };
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(List2, &QListWidget::itemSelectionChanged, this, [this] { List2_Click(); });
}

void HotkeysDialog::load() {
    for (int row = 0; row < kHotkeyRows; ++row)
        List1->addItem(hotkeyRowName(row));
    for (const HotkeyModifierText& m : kHotkeyModifiers)
        Combo2->addItem(QString::fromLatin1(m.text));
    Combo2->setCurrentIndex(0);
    for (char key = 'A'; key <= 'Z'; ++key)
        Combo3->addItem(QString(QLatin1Char(key)));
    Combo3->setCurrentIndex(0);

    if (!keyExists(kHotkeysKey)) {
        program().options.defaultHotkeys = true;
        for (int row = 0; row < kHotkeyRows; ++row)
            List2->addItem(QString());
        writeHotkeys();
    } else {
        readHotkeys();
    }
}

HotkeysDialog::~HotkeysDialog() = default;

void HotkeysDialog::buildControls() {
    setWindowTitle(QStringLiteral("Hotkeys"));
    Frame1 =
        new QGroupBox(QStringLiteral("Please Select the Menu Item , and define Hotkeys:"), this);
    Label1 = new QLabel(QStringLiteral("Menu Item :"), Frame1);
    List1 = new QListWidget(Frame1);
    Label2 = new QLabel(QStringLiteral("Modifier :"), Frame1);
    Combo2 = new QComboBox(Frame1);
    Label3 = new QLabel(QStringLiteral("Key :"), Frame1);
    Combo3 = new QComboBox(Frame1);
    Label4 = new QLabel(QStringLiteral("Hotkeys:"), Frame1);
    List2 = new QListWidget(Frame1);
    Command1 = new QPushButton(QStringLiteral("&Set Hotkey"), Frame1);
    Command4 = new QPushButton(QStringLiteral("&Remove Hotkey"), Frame1);
    Check1 = new QCheckBox(QStringLiteral("   &Disable Hotkeys"), this);
    Command2 = new QPushButton(QStringLiteral("&Close"), this);
    Command4->setEnabled(false);

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(List1, 1, 0, 3, 1);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Combo2, 1, 1);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Combo3, 3, 1, Qt::AlignTop);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(List2, 1, 2, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    grid->addLayout(buttons, 4, 0, 1, 3);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Check1);
    bottom->addStretch();
    bottom->addWidget(Command2);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Frame1);
    outer->addLayout(bottom);
}

void HotkeysDialog::readHotkeys() {
    const StoredHotkeys stored = readHotkeyStore();
    List2->clear();
    List2->addItems(stored.rows);
    if (stored.disabled)
        Check1->setChecked(*stored.disabled);
}

void HotkeysDialog::writeHotkeys() {
    writeHotkeyStore(rowsOf(List2), Check1->isChecked() ? 1 : 0);
}

void HotkeysDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Timer1_Timer();
    Timer1->start(kTimer1Interval);
}

void HotkeysDialog::hideEvent(QHideEvent* event) {
    // The button only matters while the window is seen; a hidden window costs nothing.
    Timer1->stop();
    QWidget::hideEvent(event);
}

void HotkeysDialog::refuse(const QString& text) {
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                kTitle, this);
}

void HotkeysDialog::Command1_Click() {
    const QString modifier = Combo2->currentText();
    const QString key = Combo3->currentText();
    const QString newText = modifier + key;
    if (rowsOf(List2).contains(newText)) {
        refuse(QStringLiteral("Hotkey Already exists !"));
        return;
    }
    const int row = selectedRow(List1);
    if (row < 0) {
        refuse(QStringLiteral("Please Select a Menu Item to Assign the Hothey !"));
        return;
    }

    // While hotkeys are switched off the row is only recorded; switching them on again
    // grabs the whole table.
    if (!program().options.disableHotkeys) {
        auto& hotkeys = platform::hotkeys();
        const int id = hotkeyId(row);
        const std::optional<ParsedHotkey> old = parseHotkey(List2->item(row)->text());
        if (old)
            hotkeys.unregisterHotkey(id);
        const int error =
            hotkeys.registerHotkey(id, modifierFlags(modifier).value_or(0), key.at(0).toLatin1());
        if (error != 0) {
            if (old)
                hotkeys.registerHotkey(id, old->modifiers, old->key);
            platform::dialogs().message(
                QStringLiteral("Error: ") + QString::number(error) +
                    QStringLiteral(" Registering Hotkey  ") + hotkeyRowName(row) +
                    QStringLiteral("  ") + newText + QStringLiteral("  Failed !") + QChar(13) +
                    QStringLiteral("Hotkey already used by another program ?"),
                platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle, this);
            return;
        }
        showHotkeyCaption(row, newText);
    }
    replaceRow(List2, row, newText);
}

void HotkeysDialog::Command4_Click() {
    const int row = selectedRow(List2);
    if (row < 0)
        return;
    platform::hotkeys().unregisterHotkey(hotkeyId(row));
    replaceRow(List2, row, QString());
    showHotkeyCaption(row, QString());
}

void HotkeysDialog::Check1_Click() {
    if (Check1->isChecked()) {
        program().options.disableHotkeys = true;
        releaseHotkeys();
        for (int row = 0; row < kHotkeyRows; ++row)
            showCaptionWithoutHotkey(row);
    }
    if (isVisible() && !Check1->isChecked()) {
        program().options.disableHotkeys = false;
        // Whatever is grabbed now (the start-up defaults among them) is let go first, so the
        // table's own combinations are never refused as taken.
        releaseHotkeys();
        registerHotkeys();
    }
}

void HotkeysDialog::Command2_Click() {
    writeHotkeys();
    hide();
}

void HotkeysDialog::Timer1_Timer() {
    const int row = selectedRow(List2);
    Command4->setEnabled(row >= 0 && !List2->item(row)->text().isEmpty());
}

void HotkeysDialog::List2_Click() {
    const int row = selectedRow(List2);
    if (row >= 0 && List2->item(row)->text().isEmpty())
        List2->clearSelection();
}

}  // namespace qv::options
