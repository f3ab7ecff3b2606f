#pragma once

#include "shell/iconcarriers.h"

namespace qv::shell {

// Carries the rectangular-area pointer.
class Form10 : public IconCarrier {
public:
    Form10() : IconCarrier(QStringLiteral("rectangle")) {}
};

}  // namespace qv::shell
