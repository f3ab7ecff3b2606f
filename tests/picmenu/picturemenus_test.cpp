#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

#include "picmenu/picturemenus.h"

namespace qv::picmenu {
namespace {

QIcon filled(Qt::GlobalColor color) {
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

TEST(PictureMenus, ItemsShowThePictureOfTheirCaptionEachTimeTheirMenuOpens) {
    State state;
    QWidget window;
    auto* menu = new QMenu(&window);
    QAction* freeze = menu->addAction(QStringLiteral("&Freeze"));
    QAction* other = menu->addAction(QStringLiteral("Other"));
    const QIcon red = filled(Qt::red);
    const QIcon green = filled(Qt::green);
    const qint64 none = QIcon().cacheKey();
    // The picture each item shows once the menu has opened.
    const auto open = [&] {
        emit menu->aboutToShow();
        return std::pair(freeze->icon().cacheKey(), other->icon().cacheKey());
    };

    PictureMenus menus(state);
    menus.setPictures({red, green});
    menus.attach(&window);
    menus.attach(&window);
    menus.setItemPicture(QStringLiteral("&Freeze"), 2);
    menus.setItemPicture(QStringLiteral("Other"), 3);  // no such picture
    EXPECT_EQ(open(), std::pair(green.cacheKey(), none));

    // New pictures forget the captions; a caption changed later finds its own picture.
    menus.setPictures({red, green});
    other->setText(QStringLiteral("Renamed"));
    menus.setItemPicture(QStringLiteral("Renamed"), 1);
    EXPECT_EQ(open(), std::pair(none, red.cacheKey()));
    menus.setItemPicture(QStringLiteral("Renamed"), 0);
    EXPECT_EQ(open(), std::pair(none, none));

    menus.detach();
    menus.setItemPicture(QStringLiteral("&Freeze"), 1);
    EXPECT_EQ(open(), std::pair(none, none)) << "a detached window's menus are left alone";
}

}  // namespace
}  // namespace qv::picmenu
