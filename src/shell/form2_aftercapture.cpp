// What every capture ends with: clipboard, sound, and the context menu or the release.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "options/forms.h"
#include "platform/services.h"
#include "shell/clipboardclass.h"
#include "shell/form2.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace qv::shell {

void Form2::releaseonscroractwin() {
    auto& forms = program().shellForms();
    const auto& form4 = program().optionsForms().form4.get();
    platform::clipboard().clear();
    if (form4.Check2->isChecked()) {
        platform::clipboard().setImage(forms.form3->Picture1->image());
        Picture1->setCursor(forms.form14->pointer());
        platform::clock().sleep(500);
        setareacursor();
    }
    platform::sound().play(form4.Text5->text());

    if (program().objects.objectsadded)
        return;
    const auto& options = program().options;
    if (options.autopopupmenu)
        popupandautorelease();
    if (options.autoreleasedesktop && !options.autopopupmenu)
        forms.form1->standardrelease();
}

void Form2::popupandautorelease() {
    Module2::UpdateClipboardMenus();
    Form1& form1 = program().shellForms().form1.get();
    form1.mnuContext->setDefaultAction(form1.mnuContextRelease);
    form1.mnuContext->exec(platform::desktop().cursorPos());
}

}  // namespace qv::shell
