#include <QAction>
#include <QImage>
#include <QMenu>

#include "capture_fixture.h"
#include "picmenu/expectedsizes.h"
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
        const int items = int(texts.size());
        return {e.width + 6, items * e.itemHeight + (items - 1) * 8 + 6};
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
