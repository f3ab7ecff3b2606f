#include "shell/clipboardmenus.h"

#include <QAction>

#include "capture/capturestate.h"
#include "platform/services.h"
#include "shell/windows.h"

namespace qv::shell {

int clipboardFormatMask() {
    const platform::ClipboardFormats offered = platform::clipboard().formats();
    int mask = 0;
    if (offered.text)
        mask += 1;
    if (offered.image)
        mask += 2 + 4;
    if (offered.richText)
        mask += 8;
    return mask;
}

capture::ClipboardContent clipboardContentOf(int mask) {
    switch (mask) {
        case 1:
        case 8:
        case 9:
            return capture::ClipboardContent::Text;
        case 2:
        case 4:
        case 6:
        case 14:
            return capture::ClipboardContent::Bitmap;
        default:
            return capture::ClipboardContent::Nothing;
    }
}

capture::ClipboardContent classifyClipboard() {
    capture::state().clipboardContent = clipboardContentOf(clipboardFormatMask());
    return capture::state().clipboardContent;
}

void updateClipboardMenus() {
    classifyClipboard();
    MainWindow& mainWindow = shell::windows().mainWindow.get();
    mainWindow.pasteItem->setEnabled(capture::state().clipboardContent !=
                                     capture::ClipboardContent::Nothing);
    const bool captureExists = capture::state().freeze.captureAvailable;
    for (QAction* item : {mainWindow.saveToDefaultFolderItem, mainWindow.saveAsItem,
                          mainWindow.printToDefaultPrinterItem, mainWindow.printItem,
                          mainWindow.pageSetupItem, mainWindow.copyItem, mainWindow.emailItem}) {
        item->setEnabled(captureExists);
    }
}

}  // namespace qv::shell
