#pragma once

#include "shell/form1.h"
#include "shell/form10.h"
#include "shell/form11.h"
#include "shell/form12.h"
#include "shell/form14.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form9.h"
#include "toolkit/lazyform.h"

namespace qv::shell {

// The windows of this subsystem, each created on first use.
struct Forms {
    toolkit::LazyForm<Form1> form1;  // the main window
    toolkit::LazyForm<Form2> form2;  // the frozen screen
    toolkit::LazyForm<Form3> form3;  // the capture holder
    toolkit::LazyForm<Form9> form9;  // pointer icons
    toolkit::LazyForm<Form10> form10;
    toolkit::LazyForm<Form11> form11;
    toolkit::LazyForm<Form12> form12;  // the info dialog
    toolkit::LazyForm<Form14> form14;
};

}  // namespace qv::shell
