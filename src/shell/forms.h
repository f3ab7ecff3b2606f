#pragma once

#include "shell/form1.h"
#include "shell/form12.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "toolkit/lazyform.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form1> form1;
    toolkit::LazyForm<Form2> form2;
    toolkit::LazyForm<Form3> form3;
    toolkit::LazyForm<Form12> form12;
};

}  // namespace qv::shell
