// Stand-in until the picture menus are built: plain menus that show the registered pictures.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace qv::picmenu {

namespace modMain {
void DetectWin95();
}

namespace modPicMenu {
void InitPictureMenus();
void SetHighlightStyle(int style);
void HookMenus();
void UnhookMenus();
void SetMenuImageList(const QList<QIcon>& images);
void ResetMenuImages();
void SetMenuItemImage(const QString& caption, int index);
void ForgetPreparedMenus();
}  // namespace modPicMenu

}  // namespace qv::picmenu
