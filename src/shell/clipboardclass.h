#pragma once

#include <QString>

namespace qv::shell::Module2 {

// The clipboard's formats as a mask: text 1, bitmap 2, device-independent bitmap 4, rich
// text 8. An image on the clipboard is offered in both bitmap forms.
int ClipboardFormatMask();
// "text", "bitmap" or "nothing" for a format mask.
QString ClipboardClassOf(int mask);
// Sorts the clipboard's content into clipboardclass and returns it.
QString ClassifyClipboard();
// "Paste from Clipboard" by the clipboard's content, the output commands by captureavailable.
void updateClipboardMenus();

}  // namespace qv::shell::Module2
