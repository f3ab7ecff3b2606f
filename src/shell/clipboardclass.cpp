#include "shell/clipboardclass.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "platform/services.h"
#include "shell/windows.h"
#include "shell/program.h"

namespace qv::shell::Module2 {

int ClipboardFormatMask() {
    const auto& clipboard = platform::clipboard();
    int mask = 0;
    if (clipboard.hasText())
        mask += 1;
    if (clipboard.hasImage())
        mask += 2 + 4;
    if (clipboard.hasRichText())
        mask += 8;
    return mask;
}

QString ClipboardClassOf(int mask) {
    switch (mask) {
        case 1:
        case 8:
        case 9:
            return QStringLiteral("text");
        case 2:
        case 4:
        case 6:
        case 14:
            return QStringLiteral("bitmap");
        default:
            return QStringLiteral("nothing");
    }
}

QString ClassifyClipboard() {
    program().shell.clipboardclass = ClipboardClassOf(ClipboardFormatMask());
    return program().shell.clipboardclass;
}

void updateClipboardMenus() {
    ClassifyClipboard();
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    mainWindow.pasteItem->setEnabled(program().shell.clipboardclass != QLatin1String("nothing"));
    const bool capture = program().shell.captureavailable;
    for (QAction* item :
         {mainWindow.saveToDefaultFolderItem, mainWindow.saveAsItem, mainWindow.printToDefaultPrinterItem, mainWindow.printItem,
          mainWindow.pageSetupItem, mainWindow.copyItem, mainWindow.emailItem}) {
        item->setEnabled(capture);
    }
}

}  // namespace qv::shell::Module2
