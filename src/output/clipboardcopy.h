#pragma once

namespace qv::output {

// "Copy to Clipboard": the clipboard holds the capture alone, as a picture other programs
// paste; then the desktop is released when the options ask for it. The clipboard reports no
// failure, so none is shown.
void copyCaptureToClipboard();

}  // namespace qv::output
