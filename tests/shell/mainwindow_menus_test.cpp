#include <QAction>
#include <QImage>
#include <QMenu>

#include "capture_fixture.h"
#include "picmenu/expectedsizes.h"
#include "picmenu/picturemenus.h"

namespace qv::shell {
namespace {

namespace menusizes = picmenu::menusizes;

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
    // A popup of items with a separator between every two: as high as its items, at least as
    // wide as their allowance, and showing every text whole.
    static void expectSized(QMenu& menu, double freezeTwips) {
        SCOPED_TRACE(menu.title().toStdString());
        const QImage image = open(menu);
        const QStringList texts = textsOf(menu);
        EXPECT_EQ(menu.height(), menusizes::popupHeight(int(texts.size())));
        EXPECT_GE(menu.width(), menusizes::allowance(texts, freezeTwips) + 6);
        EXPECT_GE(menusizes::roomRightOfTexts(menu, image), 4);
    }
};

TEST_F(MainWindowMenusTest, EveryPopupOfTheMainWindowIsDrawnWithPicturesAtItsComputedSize) {
    picmenu::PictureMenus menus(prog.picmenu);
    for (QMenu* popup : popups())
        EXPECT_NE(menus.styleOf(popup), nullptr) << popup->title().toStdString();

    // The tray menu on a first start: nothing frozen yet, so no twips of a freeze count.
    QMenu& tray = *mainWindow().trayMenu;
    expectSized(tray, 0);
    const QSize traySize = tray.size();
    tray.hide();

    freeze();
    QMenu& context = *mainWindow().contextMenu;
    expectSized(context, captureState().twipsPerPixelX);
    // The blank-padded captions of the context menu make the allowance wider than the texts.
    EXPECT_EQ(context.width(),
              menusizes::allowance(textsOf(context), captureState().twipsPerPixelX) + 6);
    context.hide();

    // Enabling "Release Desktop" at the freeze measures the tray menu again: same size.
    expectSized(tray, captureState().twipsPerPixelX);
    EXPECT_EQ(tray.size(), traySize);
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
