#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "picmenu/expectedsizes.h"
#include "picmenu/picturemenus.h"

namespace qv::picmenu {
namespace {

using menusizes::Expected;
using menusizes::expectedFor;

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

TEST_F(MenuGeometryTest, ItemsAreAsWideAsTheirTextOrTheAllowancePerCharacterWhicheverIsMore) {
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
        const Expected e = expectedFor(c.texts, c.freezeTwips);
        const Expected withoutAllowance = expectedFor(c.texts, -1e6);
        EXPECT_EQ(e.width != withoutAllowance.width, c.allowanceWins);

        int y = 3;
        for (int i = 0; i < int(items.size()); ++i) {
            EXPECT_EQ(menu.actionGeometry(items[i]), QRect(3, y, e.width, e.itemHeight)) << i;
            y += e.itemHeight + (i + 1 < int(items.size()) ? 8 : 0);
            if (i + 1 < int(items.size())) {
                QAction* separator = menu.actions()[2 * i + 1];
                EXPECT_EQ(menu.actionGeometry(separator).height(), 8);
            }
        }
        EXPECT_EQ(menu.size(), QSize(e.width + 6, y + 3));
        EXPECT_EQ(image.size(), menu.size());
    }
}

TEST_F(MenuGeometryTest, TheShortcutColumnStartsAtTheSamePlaceInEveryItem) {
    const QStringList texts = {"Save\tCTRL+S", "Print to Default Printer\tCTRL+P", "Paste\tC\tD"};
    addItems(texts);
    const QImage image = open();
    const Expected e = expectedFor(texts, 0);
    const QColor background = image.pixelColor(5, 5);
    // The first column with ink from the shortcut column's start minus a little on.
    const auto firstInk = [&](int item) {
        const QRect r = menu.actionGeometry(items[item]);
        for (int x = r.left() + e.shortcutLeft - 3; x < r.right(); ++x) {
            for (int y = r.top() + 1; y < r.bottom(); ++y) {
                if (image.pixelColor(x, y) != background)
                    return x - r.left();
            }
        }
        return -1;
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(firstInk(i), e.shortcutLeft, 1) << i;
    }
    EXPECT_EQ(firstInk(0), firstInk(1));
}

TEST_F(MenuGeometryTest, APopupIsMeasuredFromItsCurrentCaptionsAtEveryOpening) {
    const QStringList texts = {"Freeze Desktop", "Release Desktop", "Exit"};
    addItems(texts);
    open();
    const int first = itemWidth(0);
    EXPECT_EQ(first, expectedFor(texts, 0).width);

    items[1]->setEnabled(false);
    open();
    EXPECT_EQ(itemWidth(0), first) << "a change of state measures again with the same result";
    items[1]->setEnabled(true);
    open();
    EXPECT_EQ(itemWidth(0), first);

    items[2]->setText(QStringLiteral("Exit the program without saving anything"));
    open();
    EXPECT_EQ(itemWidth(0),
              expectedFor({"Freeze Desktop", "Release Desktop", items[2]->text()}, 0).width);
    EXPECT_GT(itemWidth(0), first);

    // The default item's caption is measured bold.
    const QStringList wide = {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "Release Desktop", "Exit"};
    items[0]->setText(wide[0]);
    items[2]->setText(wide[2]);
    menu.setDefaultAction(items[0]);
    open();
    EXPECT_EQ(itemWidth(0), expectedFor(wide, 0, 0).width);
    EXPECT_GT(itemWidth(0), expectedFor(wide, 0).width);
}

}  // namespace
}  // namespace qv::picmenu
