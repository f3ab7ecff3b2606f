#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

#include "picmenu/menueventhook.h"
#include "picmenu/offscreencanvas.h"
#include "picmenu/picturemenus.h"
#include "picmenu/picturemenustyle.h"

namespace qv::picmenu {
namespace {

QIcon filled(Qt::GlobalColor color) {
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

TEST(PictureMenus, PicturesAreFoundByCaptionWhateverTheLetterCase) {
    State state;
    PictureMenus menus(state);
    const QIcon red = filled(Qt::red);
    const QIcon green = filled(Qt::green);
    menus.setPictures({red, green});
    const auto pictureKey = [&](const char* caption) {
        return pictureOf(state, QString::fromLatin1(caption)).cacheKey();
    };
    const qint64 none = QIcon().cacheKey();

    menus.setItemPicture(QStringLiteral("Options..."), 1);
    EXPECT_EQ(pictureKey("OPTIONS..."), red.cacheKey());
    EXPECT_EQ(pictureKey("options..."), red.cacheKey());
    menus.setItemPicture(QStringLiteral("OPTIONS..."), 2);  // a later registration replaces
    EXPECT_EQ(pictureKey("Options..."), green.cacheKey());
    menus.setItemPicture(QStringLiteral("Exit"), 3);  // no such picture
    EXPECT_EQ(pictureKey("Exit"), none);
    menus.setItemPicture(QStringLiteral("options..."), 0);
    EXPECT_EQ(pictureKey("Options..."), none);
    menus.setItemPicture(QStringLiteral("Help..."), 2);
    menus.clearItemPictures();
    EXPECT_EQ(pictureKey("Help..."), none);
}

// Everything a plain popup of these items shows.
QImage plainGrab(QMenu& menu) {
    menu.popup(QPoint(0, 0));
    const QImage image = menu.grab().toImage();
    menu.hide();
    return image;
}

TEST(PictureMenus, UnhookingGivesEachPopupItsPreviousStyleBack) {
    State state;
    QWidget window;
    auto* followsApplication = new QMenu(&window);
    auto* ownStyle = new QMenu(&window);
    const std::unique_ptr<QStyle> windowsStyle(QStyleFactory::create(QStringLiteral("Windows")));
    ownStyle->setStyle(windowsStyle.get());
    for (QMenu* menu : {followsApplication, ownStyle}) {
        menu->addAction(QStringLiteral("Capture Entire Screen"));
        menu->addSeparator();
        menu->addAction(QStringLiteral("E&xit"))->setEnabled(false);
    }
    const QImage plainBefore = plainGrab(*followsApplication);
    const QStyle* applicationStyle = followsApplication->style();

    PictureMenus menus(state);
    menus.hookMenus({followsApplication, ownStyle}, [] { return 0.0; });
    for (QMenu* menu : {followsApplication, ownStyle}) {
        ASSERT_NE(menus.styleOf(menu), nullptr);
        EXPECT_EQ(menu->style(), menus.styleOf(menu));
        // A request the picture menus do not answer gets the previous style's answer.
        const QStyle* previous = menu == ownStyle ? windowsStyle.get() : applicationStyle;
        for (auto metric : {QStyle::PM_SmallIconSize, QStyle::PM_ScrollBarExtent,
                            QStyle::PM_ToolTipLabelFrameWidth}) {
            EXPECT_EQ(menu->style()->pixelMetric(metric, nullptr, menu),
                      previous->pixelMetric(metric, nullptr, menu));
        }
    }
    EXPECT_NE(plainGrab(*followsApplication), plainBefore);

    menus.unhookMenus();
    menus.unhookMenus();  // harmless
    EXPECT_EQ(followsApplication->style(), applicationStyle);
    EXPECT_FALSE(followsApplication->testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(ownStyle->style(), windowsStyle.get());
    EXPECT_EQ(menus.styleOf(followsApplication), nullptr);
    EXPECT_EQ(plainGrab(*followsApplication), plainBefore);
}

}  // namespace
}  // namespace qv::picmenu
