#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionMenuItem>
#include <functional>

#include "picmenu/menucolors.h"
#include "picmenu/menuitempainter.h"
#include "picmenu/picturemenus.h"
#include "picmenu/picturemenustyle.h"

namespace qv::picmenu {
namespace {

constexpr int kWidth = 200;

// An item painted through a hooked popup's style, and what to look at in it.
struct Painted {
    QImage image;
    int h = 0;
    MenuColors colors;

    QColor at(int x, int y) const { return image.pixelColor(x, y); }
    // The bounding box of the pixels inside area whose colour is (or, with !is, is not) colour.
    QRect ink(const QColor& colour, const QRect& area, bool is = true) const {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if ((at(x, y) == colour) == is)
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }
    QRect inkOf(const QColor& colour, const QRect& area) const { return ink(colour, area); }
    QRect inkNotOf(const QColor& background, const QRect& area) const {
        return ink(background, area, false);
    }
    int count(const QColor& colour, const QRect& area) const {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                n += at(x, y) == colour;
        }
        return n;
    }
    QRect box() const { return {1, 1, h - 2, h - 1}; }
    QRect boxInside() const { return box().adjusted(1, 1, -1, -1); }
    QRect captionArea() const { return {h + 2, 1, kWidth - h - 2, h - 1}; }
    QPoint picture() const { return MenuItemPainter::picturePosition(h, {15, 15}); }
};

class MenuPaintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        QPixmap red(16, 16);
        red.fill(Qt::red);
        menus.init();
        menus.setPictures({QIcon(red)});
        menus.setItemPicture(QStringLiteral("Pictured"), 1);
        menus.hookMenus({&menu}, [] { return 0.0; });
        menu.addAction(QStringLiteral("Pictured"));
        menu.addAction(QStringLiteral("Plain"));
    }

    Painted paint(const std::function<void(QStyleOptionMenuItem&)>& setUp) {
        Painted p;
        p.h = QFontMetrics(QApplication::font("QMenu")).height() + 8;
        // As the surface stores them: 8 bits a channel.
        p.colors = MenuColors::current();
        for (QColor* c : {&p.colors.background, &p.colors.text, &p.colors.selectedText,
                          &p.colors.highlight, &p.colors.light, &p.colors.dark})
            *c = QColor(c->rgb());
        QStyleOptionMenuItem option;
        option.initFrom(&menu);
        option.rect = QRect(0, 0, kWidth, p.h);
        option.state = QStyle::State_Enabled;
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        option.text = QStringLiteral("Plain");
        setUp(option);
        p.image = QImage(kWidth, p.h, QImage::Format_RGB32);
        p.image.fill(Qt::magenta);
        QPainter painter(&p.image);
        menu.style()->drawControl(QStyle::CE_MenuItem, &option, &painter, &menu);
        return p;
    }

    State state;
    PictureMenus menus{state};
    QMenu menu;
};

using Option = QStyleOptionMenuItem;
const auto selected = [](Option& o) { o.state |= QStyle::State_Selected; };
const auto checked = [](Option& o) {
    o.checkType = Option::NonExclusive;
    o.checked = true;
};
const auto pictured = [](Option& o) { o.text = QStringLiteral("Pictured"); };
const auto disabled = [](Option& o) { o.state &= ~QStyle::State_Enabled; };

TEST_F(MenuPaintingTest, EachStateOfAnItemPaintsItsOwnLook) {
    const struct {
        const char* name;
        std::function<void(Option&)> setUp;
        std::function<void(const Painted&)> check;
    } rows[] = {
        {"plain", [](Option&) {},
         [](const Painted& p) {
             EXPECT_EQ(p.count(Qt::magenta, p.image.rect()), 0) << "the whole item is painted";
             EXPECT_EQ(p.count(p.colors.highlight, p.image.rect()), 0);
             const QRect ink = p.inkNotOf(p.colors.background, p.captionArea());
             EXPECT_NEAR(ink.left(), p.h + 2, 1) << "the caption starts right of the box";
             EXPECT_NEAR(ink.center().y(), p.h / 2.0, 2) << "centred in rows 1 to h - 1";
         }},
        {"selected, no picture", selected,
         [](const Painted& p) {
             for (QPoint at : {QPoint(0, 1), QPoint(kWidth - 1, p.h - 1), QPoint(5, 1)})
                 EXPECT_EQ(p.at(at.x(), at.y()), p.colors.highlight) << at.x() << "," << at.y();
             EXPECT_EQ(p.count(p.colors.highlight, QRect(0, 0, kWidth, 1)), 0) << "top row";
             EXPECT_GT(p.count(p.colors.selectedText, p.captionArea()), 0);
         }},
        {"selected with a picture",
         [](Option& o) {
             selected(o);
             pictured(o);
         },
         [](const Painted& p) {
             EXPECT_NE(p.at(p.h - 1, 5), p.colors.highlight);
             EXPECT_EQ(p.at(p.h, 5), p.colors.highlight) << "right of the box";
             EXPECT_EQ(p.at(10, 1), p.colors.light) << "raised edge";
             EXPECT_EQ(p.at(1, 10), p.colors.light);
             EXPECT_EQ(p.at(10, p.h - 1), p.colors.dark);
             EXPECT_EQ(p.at(p.h - 2, 10), p.colors.dark);
             EXPECT_EQ(p.inkOf(Qt::red, p.box()), QRect(p.picture(), QSize(16, 16)));
         }},
        {"checked, no picture", checked,
         [](const Painted& p) {
             // The checker: light where x + y is even, in the corners of the box.
             for (QPoint at : {QPoint(2, 2), QPoint(3, 3), QPoint(2, p.h - 2)})
                 EXPECT_EQ(p.at(at.x(), at.y()), p.colors.light) << at.x() << "," << at.y();
             for (QPoint at : {QPoint(3, 2), QPoint(2, 3)})
                 EXPECT_EQ(p.at(at.x(), at.y()), p.colors.background) << at.x() << "," << at.y();
             EXPECT_EQ(p.at(5, 1), p.colors.dark) << "sunken edge";
             EXPECT_EQ(p.at(1, 5), p.colors.dark);
             EXPECT_EQ(p.at(5, p.h - 1), p.colors.light);
             EXPECT_EQ(p.at(p.h - 2, 5), p.colors.light);
             const QRect tick = p.inkOf(p.colors.text, p.boxInside());
             ASSERT_FALSE(tick.isEmpty());
             EXPECT_NEAR(tick.center().x(), p.box().center().x(), 1);
             EXPECT_NEAR(tick.center().y(), p.box().center().y(), 1);
         }},
        {"checked and selected: no checker, the tick keeps the text colour",
         [](Option& o) {
             checked(o);
             selected(o);
         },
         [](const Painted& p) {
             EXPECT_EQ(p.at(2, 2), p.colors.background);
             EXPECT_EQ(p.at(3, 2), p.colors.background);
             EXPECT_GT(p.count(p.colors.text, p.boxInside()), 3);
             EXPECT_EQ(p.at(p.h, 5), p.colors.highlight);
             EXPECT_GT(p.count(p.colors.selectedText, p.captionArea()), 0);
         }},
        {"radio",
         [](Option& o) {
             o.checkType = Option::Exclusive;
             o.checked = true;
         },
         [](const Painted& p) {
             const QRect bullet = p.inkOf(p.colors.text, p.boxInside());
             ASSERT_FALSE(bullet.isEmpty());
             EXPECT_NEAR(bullet.center().x(), p.box().center().x(), 1);
             EXPECT_NEAR(bullet.center().y(), p.box().center().y(), 1);
             // Round: its corners are not ink.
             EXPECT_NE(p.at(bullet.left(), bullet.top()), p.colors.text);
             EXPECT_NE(p.at(bullet.right(), bullet.bottom()), p.colors.text);
         }},
        {"checked with a picture",
         [](Option& o) {
             checked(o);
             pictured(o);
         },
         [](const Painted& p) {
             EXPECT_EQ(p.inkOf(Qt::red, p.box()), QRect(p.picture(), QSize(16, 16)));
             EXPECT_EQ(p.count(p.colors.text, p.boxInside()), 0) << "no glyph";
             EXPECT_EQ(p.at(5, 1), p.colors.dark) << "sunken edge";
         }},
        {"disabled and selected",
         [](Option& o) {
             disabled(o);
             selected(o);
             pictured(o);
         },
         [](const Painted& p) {
             EXPECT_EQ(p.count(p.colors.highlight, p.image.rect()), 0);
             EXPECT_EQ(p.count(Qt::red, p.image.rect()), 0) << "a grey picture";
             const QPoint pic = p.picture();
             EXPECT_GT(p.count(p.colors.dark, QRect(pic, QSize(16, 16))), 100);
             EXPECT_EQ(p.at(pic.x() + 16, pic.y() + 16), p.colors.light) << "its light shadow";
             // Embossed text: the light copy one pixel right of and below the dark one.
             const QRect dark = p.inkOf(p.colors.dark, p.captionArea());
             const QRect light = p.inkOf(p.colors.light, p.captionArea());
             ASSERT_FALSE(dark.isEmpty());
             EXPECT_EQ(light.bottomRight(), dark.bottomRight() + QPoint(1, 1));
             EXPECT_EQ(p.count(p.colors.text, p.captionArea()), 0);
         }},
        {"separator",
         [](Option& o) {
             o.menuItemType = Option::Separator;
             o.text.clear();
             o.rect.setHeight(8);
         },
         [](const Painted& p) {
             for (int x : {12, 100, kWidth - 13}) {
                 EXPECT_EQ(p.at(x, 3), p.colors.dark) << x;
                 EXPECT_EQ(p.at(x, 4), p.colors.light) << x;
             }
             for (QPoint at :
                  {QPoint(11, 3), QPoint(kWidth - 12, 4), QPoint(100, 2), QPoint(100, 5)})
                 EXPECT_EQ(p.at(at.x(), at.y()), p.colors.background) << at.x() << "," << at.y();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Painted painted = paint(row.setUp);
        row.check(painted);
    }
}

TEST_F(MenuPaintingTest, TheDefaultItemIsBold) {
    const Painted normal = paint([](Option&) {});
    const Painted bold = paint([](Option& o) { o.menuItemType = Option::DefaultItem; });
    const int normalInk = normal.count(normal.colors.text, normal.captionArea());
    EXPECT_GT(bold.count(bold.colors.text, bold.captionArea()), normalInk * 5 / 4);
}

}  // namespace
}  // namespace qv::picmenu
