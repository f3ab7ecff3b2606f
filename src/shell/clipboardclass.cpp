#include "shell/clipboardclass.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "platform/services.h"
#include "shell/forms.h"
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

void UpdateClipboardMenus() {
    ClassifyClipboard();
    Form1& form1 = program().shellForms().form1.get();
    form1.mnupaste->setEnabled(program().shell.clipboardclass != QLatin1String("nothing"));
    const bool capture = program().shell.captureavailable;
    for (QAction* item :
         {form1.mnuSaveToDefDir, form1.mnuSaveas, form1.mnuDefPrinter, form1.mnuPrint,
          form1.mnupagesetup, form1.mnucopytoclipbrd, form1.mnuemail}) {
        item->setEnabled(capture);
    }
}

}  // namespace qv::shell::Module2
