#pragma once

#include "shell/iconcarriers.h"

namespace qv::shell {

// Carries the after-copy pointer.
class Form14 : public IconCarrier {
public:
    Form14() : IconCarrier(QStringLiteral("clipboard")) {}
};

}  // namespace qv::shell
