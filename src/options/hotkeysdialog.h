#pragma once

#include <QWidget>
#include <memory>

#include "platform/clock.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace qv::options {

// The Hotkeys window. It holds the hotkey table for the whole run: it is built hidden at
// start-up and only shown and hidden afterwards. Every Set, Remove and Disable acts at once
// on the grabbed combinations and the main window's captions; Close stores the table.
class HotkeysDialog : public QWidget {
public:
    HotkeysDialog();
    ~HotkeysDialog() override;
    // The window's load: fills the lists, then reads the store or, on a first run, writes it.
    void load();

    void readHotkeys();
    void writeHotkeys();
    // Whether the stored table, as the window shows it, has the hotkeys switched off.
    bool showsHotkeysDisabled() const;

    QGroupBox* hotkeysGroup;
    QLabel* menuItemLabel;
    QListWidget* rowList;  // row names
    QLabel* modifierLabel;
    QComboBox* modifierCombo;  // modifier texts
    QLabel* keyLabel;
    QComboBox* keyCombo;  // key letters
    QLabel* hotkeyLabel;
    QListWidget* hotkeyList;  // the hotkey text of each row
    QPushButton* setHotkeyButton;
    QPushButton* removeHotkeyButton;
    QCheckBox* disableHotkeysBox;
    QPushButton* closeButton;
    std::unique_ptr<platform::Timer> removeButtonWatch;  // offers Remove only for a set row

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void setHotkey();
    void removeHotkey();
    void switchHotkeysOnOrOff();
    void storeAndClose();
    void updateRemoveButton();
    void dropEmptyHotkeySelection();
    void refuse(const QString& text);
};

}  // namespace qv::options
