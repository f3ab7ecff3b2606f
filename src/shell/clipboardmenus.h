#pragma once

#include "capture/capturestate.h"

namespace qv::shell {

// The clipboard's formats as a mask: text 1, bitmap 2, device-independent bitmap 4, rich
// text 8. An image on the clipboard is offered in both bitmap forms.
int clipboardFormatMask();
// What a format mask holds for pasting; a mix of text and image counts as nothing.
capture::ClipboardContent clipboardContentOf(int mask);
// Reads what the clipboard holds into the shell's state and returns it.
capture::ClipboardContent classifyClipboard();
// "Paste from Clipboard" by the clipboard's content, the output commands by whether a
// capture exists.
void updateClipboardMenus();

}  // namespace qv::shell
