#include "platform/services.h"

#include <QtGlobal>

namespace qv::platform {

namespace {
Services* installed = nullptr;
}

Services& services() {
    Q_ASSERT_X(installed, "services", "no platform services installed");
    return *installed;
}

ServicesScope::ServicesScope(Services& s) : previous_(installed) {
    installed = &s;
}

ServicesScope::~ServicesScope() {
    installed = previous_;
}

}  // namespace qv::platform
