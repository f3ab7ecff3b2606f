// Stand-in until the picture menus are built: plain menus that show the registered pictures.
#include "picmenu/modpicmenu.h"

#include <QAction>
#include <QMenu>

#include "shell/program.h"

namespace qv::picmenu {

namespace {
const QString kHookName = QStringLiteral("picmenuhook");

State& state() {
    return program().picmenu;
}

void prepare(QMenu* menu) {
    for (QAction* item : menu->actions()) {
        if (item->isSeparator())
            continue;
        const int index = state().itemimages.value(item->text());
        const bool known = index >= 1 && index <= state().menuimages.size();
        item->setIcon(known ? state().menuimages[index - 1] : QIcon());
    }
}
}  // namespace

void modMain::DetectWin95() {
    state().onwindows95 = false;
}

void modPicMenu::InitPictureMenus() {}
void modPicMenu::SetHighlightStyle(int) {}
void modPicMenu::ForgetPreparedMenus() {}

void modPicMenu::HookMenus() {
    QWidget* window = state().menuhwnd;
    if (!window || window->findChild<QObject*>(kHookName))
        return;
    auto* hook = new QObject(window);
    hook->setObjectName(kHookName);
    for (QMenu* menu : window->findChildren<QMenu*>())
        QObject::connect(menu, &QMenu::aboutToShow, hook, [menu] { prepare(menu); });
}

void modPicMenu::UnhookMenus() {
    if (QWidget* window = state().menuhwnd)
        delete window->findChild<QObject*>(kHookName);
}

void modPicMenu::SetMenuImageList(const QList<QIcon>& images) {
    state().menuimages = images;
}

void modPicMenu::ResetMenuImages() {
    state().itemimages.clear();
}

void modPicMenu::SetMenuItemImage(const QString& caption, int index) {
    if (index != 0)
        state().itemimages.insert(caption, index);
    else
        state().itemimages.remove(caption);
}

}  // namespace qv::picmenu
