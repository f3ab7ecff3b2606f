#include "output/clipboardcopy.h"

#include "capture/capturesession.h"
#include "capture/shellcontrol.h"
#include "options/settings.h"
#include "options/state.h"
#include "platform/services.h"

namespace qv::output {

void copyCaptureToClipboard() {
    // Emptied first, so no text or older picture is offered beside the capture.
    platform::clipboard().clear();
    platform::clipboard().setImage(capture::session().buffer);
    if (options::state().settings.releaseAfterCapture)
        capture::shellControl().releaseDesktop();
}

}  // namespace qv::output
