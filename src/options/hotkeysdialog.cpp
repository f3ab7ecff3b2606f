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
#include "options/state.h"
#include "platform/services.h"

namespace qv::options {

namespace {

const QString kTitle = QStringLiteral(" Quorvalline ");
constexpr int kRemoveButtonWatchInterval = 100;

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The row keeps its item and only changes its text: taking the item out would move the
// list's current row, and with it the selection, on to the next row, where a second Remove
// would take a hotkey nobody chose. The replaced row itself loses its selection, as a row
// written anew does; every other row stays as the user left it.
void replaceRow(QListWidget* list, int row, const QString& text) {
    QListWidgetItem* item = list->item(row);
    item->setText(text);
    if (item->isSelected())
        list->clearSelection();
}

QStringList rowsOf(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

}  // namespace

HotkeysDialog::HotkeysDialog() : removeButtonWatch(platform::clock().createTimer()) {
    buildControls();
    removeButtonWatch->onTimeout = [this] { updateRemoveButton(); };
    connect(setHotkeyButton, &QPushButton::clicked, this, [this] { setHotkey(); });
    connect(removeHotkeyButton, &QPushButton::clicked, this, [this] { removeHotkey(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { storeAndClose(); });
    connect(disableHotkeysBox, &QCheckBox::toggled, this, [this] { switchHotkeysOnOrOff(); });
    connect(hotkeyList, &QListWidget::itemSelectionChanged, this,
            [this] { dropEmptyHotkeySelection(); });
}

void HotkeysDialog::load() {
    for (int row = 0; row < kHotkeyRows; ++row)
        rowList->addItem(hotkeyRowName(row));
    for (const HotkeyModifierText& m : kHotkeyModifiers)
        modifierCombo->addItem(QString::fromLatin1(m.text));
    modifierCombo->setCurrentIndex(0);
    for (char key = 'A'; key <= 'Z'; ++key)
        keyCombo->addItem(QString(QLatin1Char(key)));
    keyCombo->setCurrentIndex(0);

    if (!keyExists(kHotkeysKey)) {
        options::state().usingDefaultHotkeys = true;
        hotkeyList->addItems(firstRunHotkeyRows());
        writeHotkeys();
    } else {
        readHotkeys();
    }
}

HotkeysDialog::~HotkeysDialog() = default;

void HotkeysDialog::buildControls() {
    setWindowTitle(QStringLiteral("Hotkeys"));
    // Only a dialog-type window tells the window manager its owner (Options), which then
    // keeps it in front of Options.
    setWindowFlag(Qt::Dialog);
    hotkeysGroup =
        new QGroupBox(QStringLiteral("Please Select the Menu Item , and define Hotkeys:"), this);
    menuItemLabel = new QLabel(QStringLiteral("Menu Item :"), hotkeysGroup);
    rowList = new QListWidget(hotkeysGroup);
    modifierLabel = new QLabel(QStringLiteral("Modifier :"), hotkeysGroup);
    modifierCombo = new QComboBox(hotkeysGroup);
    keyLabel = new QLabel(QStringLiteral("Key :"), hotkeysGroup);
    keyCombo = new QComboBox(hotkeysGroup);
    hotkeyLabel = new QLabel(QStringLiteral("Hotkeys:"), hotkeysGroup);
    hotkeyList = new QListWidget(hotkeysGroup);
    setHotkeyButton = new QPushButton(QStringLiteral("&Set Hotkey"), hotkeysGroup);
    removeHotkeyButton = new QPushButton(QStringLiteral("&Remove Hotkey"), hotkeysGroup);
    disableHotkeysBox = new QCheckBox(QStringLiteral("   &Disable Hotkeys"), this);
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    removeHotkeyButton->setEnabled(false);

    auto* grid = new QGridLayout(hotkeysGroup);
    grid->addWidget(menuItemLabel, 0, 0);
    grid->addWidget(rowList, 1, 0, 3, 1);
    grid->addWidget(modifierLabel, 0, 1);
    grid->addWidget(modifierCombo, 1, 1);
    grid->addWidget(keyLabel, 2, 1);
    grid->addWidget(keyCombo, 3, 1, Qt::AlignTop);
    grid->addWidget(hotkeyLabel, 0, 2);
    grid->addWidget(hotkeyList, 1, 2, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setHotkeyButton);
    buttons->addWidget(removeHotkeyButton);
    grid->addLayout(buttons, 4, 0, 1, 3);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disableHotkeysBox);
    bottom->addStretch();
    bottom->addWidget(closeButton);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(hotkeysGroup);
    outer->addLayout(bottom);
}

void HotkeysDialog::readHotkeys() {
    const StoredHotkeys stored = readHotkeyStore();
    hotkeyList->clear();
    hotkeyList->addItems(stored.rows);
    if (stored.disabled)
        disableHotkeysBox->setChecked(*stored.disabled);
}

void HotkeysDialog::writeHotkeys() {
    writeHotkeyStore(rowsOf(hotkeyList), disableHotkeysBox->isChecked());
}

bool HotkeysDialog::showsHotkeysDisabled() const {
    return disableHotkeysBox->isChecked();
}

void HotkeysDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateRemoveButton();
    removeButtonWatch->start(kRemoveButtonWatchInterval);
}

void HotkeysDialog::hideEvent(QHideEvent* event) {
    // The button only matters while the window is seen; a hidden window costs nothing.
    removeButtonWatch->stop();
    QWidget::hideEvent(event);
}

void HotkeysDialog::refuse(const QString& text) {
    platform::dialogs().message(text, platform::MsgButtons::Ok, platform::MsgIcon::Information,
                                kTitle, this);
}

void HotkeysDialog::setHotkey() {
    const QString modifier = modifierCombo->currentText();
    const QString key = keyCombo->currentText();
    const QString newText = modifier + key;
    if (rowsOf(hotkeyList).contains(newText)) {
        refuse(QStringLiteral("Hotkey Already exists !"));
        return;
    }
    const int row = selectedRow(rowList);
    if (row < 0) {
        refuse(QStringLiteral("Please Select a Menu Item to Assign the Hothey !"));
        return;
    }

    // While hotkeys are switched off the row is only recorded; switching them on again
    // grabs the whole table.
    if (!options::state().hotkeysDisabled) {
        auto& hotkeys = platform::hotkeys();
        const int id = hotkeyId(row);
        const std::optional<ParsedHotkey> old = parseHotkey(hotkeyList->item(row)->text());
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
    replaceRow(hotkeyList, row, newText);
}

void HotkeysDialog::removeHotkey() {
    const int row = selectedRow(hotkeyList);
    if (row < 0)
        return;
    platform::hotkeys().unregisterHotkey(hotkeyId(row));
    replaceRow(hotkeyList, row, QString());
    showHotkeyCaption(row, QString());
    updateRemoveButton();
}

void HotkeysDialog::switchHotkeysOnOrOff() {
    if (disableHotkeysBox->isChecked()) {
        options::state().hotkeysDisabled = true;
        releaseHotkeys();
        for (int row = 0; row < kHotkeyRows; ++row)
            showCaptionWithoutHotkey(row);
    }
    if (isVisible() && !disableHotkeysBox->isChecked()) {
        options::state().hotkeysDisabled = false;
        // Whatever is grabbed now (the start-up defaults among them) is let go first, so the
        // table's own combinations are never refused as taken.
        releaseHotkeys();
        registerHotkeys();
    }
}

void HotkeysDialog::storeAndClose() {
    writeHotkeys();
    hide();
}

void HotkeysDialog::updateRemoveButton() {
    const int row = selectedRow(hotkeyList);
    removeHotkeyButton->setEnabled(row >= 0 && !hotkeyList->item(row)->text().isEmpty());
}

void HotkeysDialog::dropEmptyHotkeySelection() {
    const int row = selectedRow(hotkeyList);
    if (row >= 0 && hotkeyList->item(row)->text().isEmpty())
        hotkeyList->clearSelection();
}

}  // namespace qv::options
