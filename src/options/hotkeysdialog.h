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

// The Hotkeys window. It holds the hotkey table for the whole run: it is loaded hidden at
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

    QGroupBox* Frame1;
    QLabel* Label1;
    QListWidget* List1;  // row names
    QLabel* Label2;
    QComboBox* Combo2;  // modifier texts
    QLabel* Label3;
    QComboBox* Combo3;  // key letters
    QLabel* Label4;
    QListWidget* List2;  // the hotkey text of each row
    QPushButton* Command1;
    QPushButton* Command4;
    QCheckBox* Check1;
    QPushButton* Command2;
    std::unique_ptr<platform::Timer> Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void Command1_Click();
    void Command4_Click();
    void Check1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void List2_Click();
    void refuse(const QString& text);
};

}  // namespace qv::options
