#include "platform/linux/displayprobe.h"

#include <xcb/xcb.h>

namespace qv::platform {

DisplayProbe::DisplayProbe()
    : connection_(xcb_connect(nullptr, nullptr)),
      connected_(xcb_connection_has_error(connection_) == 0) {}

DisplayProbe::~DisplayProbe() {
    // Also a failed connection is an object to free.
    xcb_disconnect(connection_);
}

}  // namespace qv::platform
