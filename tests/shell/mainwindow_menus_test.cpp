#include <QAction>
#include <QImage>
#include <QMenu>

#include "capture_fixture.h"
#include "picmenu/expectedsizes.h"
#include "picmenu/menucolors.h"
#include "picmenu/picturemenus.h"

namespace qv::shell {
namespace {

using picmenu::menusizes::expectedFor;

class MainWindowMenusTest : public capturetests::CaptureTest {
protected:
    ~MainWindowMenusTest() override {
        for (QMenu* menu : popups())
            menu->hide();
    }
    std::vector<QMenu*> popups() {
        MainWindow& w = mainWindow();
        return {w.trayMenu, w.contextMenu, w.textPopup, w.shapePopup, w.linePopup, w.imagePopup};
    }
    static QStringList textsOf(const QMenu& menu) {
        QStringList texts;
        for (const QAction* action : menu.actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        return texts;
    }
    static QImage open(QMenu& menu) {
        menu.popup(QPoint(0, 0));
        return menu.grab().toImage();
    }
    // The size a popup of items with a separator between every two has.
    static QSize expectedSize(const QMenu& menu, double freezeTwips) {
        const QStringList texts = textsOf(menu);
        const auto e = expectedFor(texts, freezeTwips);
        return {e.width + 6, int(texts.size()) * e.itemHeight + (texts.size() - 1) * 8 + 6};
    }
};

TEST_F(MainWindowMenusTest, EveryPopupOfTheMainWindowIsDrawnWithPicturesAtItsComputedSize) {
    picmenu::PictureMenus menus(prog.picmenu);
    for (QMenu* popup : popups())
        EXPECT_NE(menus.styleOf(popup), nullptr) << popup->title().toStdString();

    // The tray menu on a first start: nothing frozen yet, so no twips of a freeze count.
    QMenu& tray = *mainWindow().trayMenu;
    open(tray);
    EXPECT_EQ(tray.size(), expectedSize(tray, 0));
    tray.hide();

    freeze();
    QMenu& context = *mainWindow().contextMenu;
    open(context);
    EXPECT_EQ(context.size(), expectedSize(context, captureState().twipsPerPixelX));
    // The blank-padded captions of the context menu are wider by the allowance than by ink.
    EXPECT_GT(expectedFor(textsOf(context), captureState().twipsPerPixelX).width,
              expectedFor(textsOf(context), -1e6).width);
    context.hide();

    // Enabling "Release Desktop" at the freeze measures the tray menu again: same size.
    open(tray);
    EXPECT_EQ(tray.size(), expectedSize(tray, captureState().twipsPerPixelX));
}

TEST_F(MainWindowMenusTest, TheHoveredTrayItemIsHighlightedRightOfItsPicture) {
    QMenu& tray = *mainWindow().trayMenu;
    open(tray);
    tray.setActiveAction(mainWindow().freezeItem);
    const QImage image = tray.grab().toImage();
    const QRect item = tray.actionGeometry(mainWindow().freezeItem);
    const int h = item.height();
    const QRgb highlight = picmenu::MenuColors::current().highlight.rgb();
    const QRgb background = picmenu::MenuColors::current().background.rgb();
    EXPECT_EQ(image.pixel(item.left() + h, item.top() + 5), highlight);
    EXPECT_EQ(image.pixel(item.right(), item.bottom()), highlight);
    EXPECT_NE(image.pixel(item.left() + h - 1, item.top() + 5), highlight);
    EXPECT_EQ(image.pixel(item.left() + 5, item.top()), background) << "the item's top row";
    // The picture: ink in its 16 x 16 square, none of it highlight.
    int ink = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            ink += image.pixel(item.left() + 2 + x, item.top() + 2 + y) != background;
    }
    EXPECT_GT(ink, 20);
    // The frame: raised, then one pixel of background.
    const picmenu::MenuColors colors = picmenu::MenuColors::current();
    EXPECT_EQ(image.pixel(0, 10), colors.outerLight.rgb());
    EXPECT_EQ(image.pixel(1, 10), colors.light.rgb());
    EXPECT_EQ(image.pixel(2, 10), background);
    EXPECT_EQ(image.pixel(image.width() - 1, 10), colors.outerDark.rgb());
    EXPECT_EQ(image.pixel(image.width() - 2, 10), QColor(colors.dark.rgb()).rgb());
}

TEST_F(MainWindowMenusTest, AChangedCaptionHasNoPictureUntilThePicturesAreRegisteredAgain) {
    MainWindow& w = mainWindow();
    const picmenu::State& state = prog.picmenu;
    const qint64 freezePicture = w.menuPictures[12].cacheKey();
    EXPECT_EQ(picmenu::pictureOf(state, w.freezeItem->text()).cacheKey(), freezePicture);
    w.freezeItem->setText(QStringLiteral("Freeze Desktop   CTRL+SHIFT+F"));
    EXPECT_TRUE(picmenu::pictureOf(state, w.freezeItem->text()).isNull());
    w.updateMenuPictures();
    EXPECT_EQ(picmenu::pictureOf(state, w.freezeItem->text()).cacheKey(), freezePicture);
    // The two "Release Desktop" items and the three "Options..." items share one picture each.
    EXPECT_EQ(picmenu::pictureOf(state, w.contextReleaseItem->text()).cacheKey(),
              w.menuPictures[11].cacheKey());
    EXPECT_EQ(picmenu::pictureOf(state, w.lineOptionsItem->text()).cacheKey(),
              w.menuPictures[15].cacheKey());
}

TEST_F(MainWindowMenusTest, ClosingTheMainWindowGivesThePopupsTheirPlainLookBack) {
    MainWindow& w = mainWindow();
    w.close();
    for (QMenu* popup : popups()) {
        EXPECT_FALSE(popup->testAttribute(Qt::WA_SetStyle));
        EXPECT_EQ(popup->style(), QApplication::style());
    }
}

}  // namespace
}  // namespace qv::shell
