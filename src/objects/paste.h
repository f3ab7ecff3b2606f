#pragma once

#include "capture/capturestate.h"

namespace qv::objects {

class ObjectLayer;

// "Paste from Clipboard": the clipboard's picture becomes an image object, its text an opaque
// text object, with the top-left corner where the user right-clicked. content is the class the
// command has just found for the clipboard. A placement point still near the origin moves to
// the screen's centre, whatever is pasted. Without a frozen screen (layer null) nothing is added.
void pasteFromClipboard(ObjectLayer* layer, capture::ClipboardContent content);

}  // namespace qv::objects
