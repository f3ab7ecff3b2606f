#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "picmenu/expectedsizes.h"
#include "picmenu/picturemenus.h"

namespace qv::picmenu {
namespace {

class MenuGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        menus.init();
        menus.hookMenus({&menu}, [this] { return freezeTwips; });
    }
    void TearDown() override { menu.hide(); }

    // Items with a separator between every two.
    void addItems(const QStringList& texts) {
        for (const QString& text : texts) {
            if (!menu.actions().isEmpty())
                menu.addSeparator();
            items.push_back(menu.addAction(text));
        }
    }
    QImage open() {
        menu.hide();
        menu.popup(QPoint(0, 0));
        return menu.grab().toImage();
    }
    int itemWidth(int i) const { return menu.actionGeometry(items[i]).width(); }

    State state;
    PictureMenus menus{state};
    double freezeTwips = 0;
    QMenu menu;
    std::vector<QAction*> items;
};

// Every item of a popup is as wide as the allowance per character of its longest caption, or
// wider where its texts need it: no text is cut off at the item's edge.
TEST_F(MenuGeometryTest, ItemsGetTheAllowancePerCharacterOrRoomForTheirTexts) {
    const struct {
        const char* name;
        QStringList texts;
        double freezeTwips;
        bool allowanceWins;
    } cases[] = {
        {"text wins", {"Help...", "Freeze Desktop   CTRL+F", "Release Desktop   CTRL+R"}, 0, false},
        {"blank-padded caption before a freeze",
         {"Save As...", "Copy to Clipboard ( Autocopy Enabled )  "},
         0,
         true},
        {"blank-padded caption after a freeze",
         {"Save As...", "Copy to Clipboard ( Autocopy Enabled )  "},
         15,
         true},
        {"blank-padded caption and a shortcut",
         {"Save\tS", "Copy to Clipboard ( Autocopy Enabled )      "},
         15,
         true},
        {"shortcut column, first Tab only",
         {"Save\tCTRL+S", "Print to Default Printer\tCTRL+SHIFT+P",
          "Paste\tCTRL+SHIFT+INSERT\tALT+V", "Exit"},
         0,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        menu.clear();
        items.clear();
        freezeTwips = c.freezeTwips;
        addItems(c.texts);
        const QImage image = open();
        const int width = itemWidth(0);
        const int allowance = menusizes::allowance(c.texts, c.freezeTwips);
        const int room = menusizes::roomRightOfTexts(menu, image);
        EXPECT_GE(room, 4) << "every text shows whole, clear of the edge";
        if (c.allowanceWins) {
            EXPECT_EQ(width, allowance);
        } else {
            EXPECT_GT(width, allowance);
            EXPECT_LE(room, 16) << "no wider than the texts need";
        }

        int y = 3;
        for (int i = 0; i < int(items.size()); ++i) {
            EXPECT_EQ(menu.actionGeometry(items[i]), QRect(3, y, width, menusizes::itemHeight()))
                << i;
            y += menusizes::itemHeight() + (i + 1 < int(items.size()) ? 8 : 0);
            if (i + 1 < int(items.size())) {
                QAction* separator = menu.actions()[2 * i + 1];
                EXPECT_EQ(menu.actionGeometry(separator).height(), menusizes::kSeparatorHeight);
            }
        }
        EXPECT_EQ(menu.size(), QSize(width + 6, menusizes::popupHeight(int(items.size()))));
        EXPECT_EQ(image.size(), menu.size());
    }
}

TEST_F(MenuGeometryTest, TheShortcutColumnStartsAtTheSamePlaceInEveryItem) {
    const QStringList texts = {"Save\tCTRL+S", "Print to Default Printer\tCTRL+P", "Paste\tC\tD"};
    addItems(texts);
    const QImage image = open();
    const int shortcutLeft = menusizes::shortcutLeft(texts);
    const QColor background = image.pixelColor(5, 5);
    // The first column with ink from the shortcut column's start minus a little on.
    const auto firstInk = [&](int item) {
        const QRect r = menu.actionGeometry(items[item]);
        for (int x = r.left() + shortcutLeft - 3; x < r.right(); ++x) {
            for (int y = r.top() + 1; y < r.bottom(); ++y) {
                if (image.pixelColor(x, y) != background)
                    return x - r.left();
            }
        }
        return -1;
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(firstInk(i), shortcutLeft, 1) << i;
    }
    EXPECT_EQ(firstInk(0), firstInk(1));
}

TEST_F(MenuGeometryTest, APopupIsMeasuredFromItsCurrentCaptionsAtEveryOpening) {
    const QStringList texts = {"Freeze Desktop", "Release Desktop", "Exit"};
    addItems(texts);
    QImage image = open();
    const int first = itemWidth(0);
    EXPECT_GE(menusizes::roomRightOfTexts(menu, image), 4);

    items[1]->setEnabled(false);
    open();
    EXPECT_EQ(itemWidth(0), first) << "a change of state measures again with the same result";
    items[1]->setEnabled(true);
    open();
    EXPECT_EQ(itemWidth(0), first);

    items[2]->setText(QStringLiteral("Exit the program without saving anything"));
    image = open();
    EXPECT_GT(itemWidth(0), first);
    EXPECT_GE(menusizes::roomRightOfTexts(menu, image), 4) << "the longer caption shows whole";

    // The default item's caption is drawn bold, and shows whole too.
    items[0]->setText(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    items[2]->setText(QStringLiteral("Exit"));
    image = open();
    const int regular = itemWidth(0);
    menu.setDefaultAction(items[0]);
    image = open();
    EXPECT_GT(itemWidth(0), regular);
    EXPECT_GE(menusizes::roomRightOfTexts(menu, image), 4);
}

}  // namespace
}  // namespace qv::picmenu
