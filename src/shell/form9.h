#pragma once

#include "shell/iconcarriers.h"

namespace qv::shell {

// Carries the circular-area pointer.
class Form9 : public IconCarrier {
public:
    Form9() : IconCarrier(QStringLiteral("circle")) {}
};

}  // namespace qv::shell
