#include "options/menucaptions.h"

#include <QAction>
#include <QListWidget>

#include "capture/shellcontrol.h"
#include "options/hotkeyregistration.h"
#include "options/windows.h"

namespace qv::options {

QString hotkeyText(int row) {
    const QListWidgetItem* item = options::windows().hotkeysDialog->hotkeyList->item(row);
    return item ? item->text() : QString();
}

void setMainMenuCaption(MenuItem item, const QString& caption) {
    if (HotkeyCommands* commands = hotkeyCommands()) {
        if (QAction* action = commands->menuItem(item))
            action->setText(caption);
    }
}

void updateMainMenuPictures() {
    capture::shellControl().updateMainMenuPictures();
}

QString pastingAppCaption(const QString& appName, const QString& gap, const QString& hotkey) {
    return QStringLiteral("Start Default Application( ") + appName + QStringLiteral(" )") + gap +
           hotkey;
}

QString copyCaption(bool autocopy, const QString& hotkey) {
    if (autocopy)
        return QStringLiteral("Copy to Clipboard ( Autocopy Enabled )  ") + hotkey;
    return QStringLiteral("Copy to Clipboard   ") + hotkey;
}

}  // namespace qv::options
