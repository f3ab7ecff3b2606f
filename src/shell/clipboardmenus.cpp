#include "shell/clipboardmenus.h"

#include <QAction>

#include "platform/services.h"
#include "shell/program.h"
#include "shell/windows.h"

namespace qv::shell {

int clipboardFormatMask() {
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

ClipboardContent clipboardContentOf(int mask) {
    switch (mask) {
        case 1:
        case 8:
        case 9:
            return ClipboardContent::Text;
        case 2:
        case 4:
        case 6:
        case 14:
            return ClipboardContent::Bitmap;
        default:
            return ClipboardContent::Nothing;
    }
}

ClipboardContent classifyClipboard() {
    program().shell.clipboardContent = clipboardContentOf(clipboardFormatMask());
    return program().shell.clipboardContent;
}

void updateClipboardMenus() {
    classifyClipboard();
    MainWindow& mainWindow = program().shellWindows().mainWindow.get();
    mainWindow.pasteItem->setEnabled(program().shell.clipboardContent != ClipboardContent::Nothing);
    const bool capture = program().shell.freeze.captureAvailable;
    for (QAction* item : {mainWindow.saveToDefaultFolderItem, mainWindow.saveAsItem,
                          mainWindow.printToDefaultPrinterItem, mainWindow.printItem,
                          mainWindow.pageSetupItem, mainWindow.copyItem, mainWindow.emailItem}) {
        item->setEnabled(capture);
    }
}

}  // namespace qv::shell
