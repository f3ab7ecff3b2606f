#include "options/menucaptions.h"

#include <QAction>
#include <QListWidget>

#include "options/forms.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace qv::options {

QString hotkeyText(int row) {
    const QListWidgetItem* item = program().optionsForms().form5->List2->item(row);
    return item ? item->text() : QString();
}

void setMainMenuCaption(QAction* shell::Form1::*item, const QString& caption) {
    if (shell::Form1* form1 = program().shellForms().form1.peek())
        (form1->*item)->setText(caption);
}

void resetMainMenu() {
    if (shell::Form1* form1 = program().shellForms().form1.peek())
        form1->ResetMenu();
}

QString containerAppCaption(const QString& appName, const QString& gap, const QString& hotkey) {
    return QStringLiteral("Start Default Application( ") + appName + QStringLiteral(" )") + gap +
           hotkey;
}

QString copyCaption(bool autocopy, const QString& hotkey) {
    if (autocopy)
        return QStringLiteral("Copy to Clipboard ( Autocopy Enabled )  ") + hotkey;
    return QStringLiteral("Copy to Clipboard   ") + hotkey;
}

}  // namespace qv::options
