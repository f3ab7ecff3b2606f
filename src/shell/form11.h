#pragma once

#include "shell/iconcarriers.h"

namespace qv::shell {

// Carries the pointer shown while saving.
class Form11 : public IconCarrier {
public:
    Form11() : IconCarrier(QStringLiteral("save")) {}
};

}  // namespace qv::shell
