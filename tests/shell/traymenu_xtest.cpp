// The picture menus of the running program on a private X server, read back with xwd.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

#include "picmenu/expectedsizes.h"
#include "picmenu/menucolors.h"
#include "picmenu/picturemenus.h"
#include "shell/windowdesign.h"
#include "support/programwindows.h"
#include "support/xvfbtest.h"
#include "support/xwd.h"

namespace qv::shell {
namespace {

namespace menusizes = picmenu::menusizes;
using testsupport::XServer;
using testsupport::XWindow;

const QSize kScreen(1024, 700);

class TrayMenuX : public testsupport::XvfbTest {
protected:
    void SetUp() override {
        startServer({.size = kScreen, .windowManager = true, .trayHost = true});
        ASSERT_TRUE(testsupport::startBuiltProgram(
            program,
            testsupport::programEnvironment(QProcessEnvironment::systemEnvironment(), dir)));
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        XvfbTest::TearDown();
    }

    static QString xdotool(const QStringList& arguments) {
        return testsupport::xdotool(QProcessEnvironment::systemEnvironment(), arguments);
    }
    static std::optional<XWindow> window(bool (*which)(const QRect&)) {
        return testsupport::programWindow(QProcessEnvironment::systemEnvironment(), which);
    }
    static std::optional<XWindow> settledWindow(bool (*which)(const QRect&)) {
        return testsupport::settledProgramWindow(QProcessEnvironment::systemEnvironment(), which);
    }
    static bool isTrayIcon(const QRect& r) { return r.width() <= 32 && r.height() <= 32; }
    static bool isMenu(const QRect& r) {
        return r.height() > 100 && r.size() != QSize(400, 229) && r.size() != kScreen;
    }
    static bool isFrozenScreen(const QRect& r) { return r.size() == kScreen; }
    static void click(QPoint at, int button) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                 QString::number(button)});
    }
    // The popup as xwd reads it once it has been painted (its frame's corner is no longer
    // black).
    static QImage readMenu(const XWindow& menu, const std::function<bool(const QImage&)>& done) {
        QImage image;
        XServer::waitFor([&] {
            image = testsupport::xwdWindow(menu.id);
            return image.size() == menu.rect.size() && done(image);
        });
        return image;
    }

    QTemporaryDir dir;
    QProcess program;
};

// The tray menu of a first start, built here the way the main window builds it.
struct SameTrayMenu {
    SameTrayMenu() {
        loadResources();
        QList<QIcon> pictures;
        for (int n = 1; n <= 22; ++n)
            pictures << QIcon(QStringLiteral(":/shell/menu/%1.svg").arg(n, 2, 10, QChar('0')));
        menus.setPictures(pictures);
        const std::pair<const char*, int> items[] = {{"Help...", 19},
                                                     {"Info...", 18},
                                                     {"Exit", 17},
                                                     {"Options...", 16},
                                                     {"Capture Entire Screen", 15},
                                                     {"Capture Active Window", 14},
                                                     {"Freeze Desktop   CTRL+F", 13},
                                                     {"Release Desktop   CTRL+R", 12}};
        for (const auto& [caption, picture] : items) {
            if (!menu.actions().isEmpty())
                menu.addSeparator();
            QAction* item = menu.addAction(QString::fromLatin1(caption));
            menus.setItemPicture(item->text(), picture);
            texts << item->text();
            last = item;
        }
        last->setEnabled(false);
        menu.setDefaultAction(menu.actions()[12]);
        menus.init();
        menus.hookMenus({&menu}, [] { return 0.0; });
    }
    QImage grab() {
        menu.popup(QPoint(0, 0));
        const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
        menu.hide();
        return image;
    }

    picmenu::State state;
    picmenu::PictureMenus menus{state};
    QMenu menu;
    QStringList texts;
    QAction* last = nullptr;
};

TEST_F(TrayMenuX, TheTrayMenuIsDrawnWithPicturesAtItsSizeAndHighlightsTheHoveredRow) {
    ASSERT_TRUE(XServer::waitFor([] { return window(isTrayIcon).has_value(); }));
    const auto icon = settledWindow(isTrayIcon);
    ASSERT_TRUE(icon);
    click(icon->rect.center(), 3);
    ASSERT_TRUE(XServer::waitFor([] { return window(isMenu).has_value(); }));
    const auto menu = settledWindow(isMenu);
    ASSERT_TRUE(menu);

    SameTrayMenu same;
    const int itemHeight = menusizes::itemHeight();
    const picmenu::MenuColors colors = picmenu::MenuColors::current();
    const QImage expected = same.grab();
    EXPECT_EQ(menu->rect.size(), expected.size());
    EXPECT_EQ(menu->rect.height(), menusizes::popupHeight(8));
    const QImage shown = readMenu(
        *menu, [&](const QImage& image) { return image.pixel(0, 10) == colors.outerLight.rgb(); });
    EXPECT_EQ(shown, expected) << "the program's popup equals the same menu drawn here";

    // Hover the first row: highlighted right of its picture.
    const QPoint firstRow(menu->rect.x() + 3 + itemHeight + 20,
                          menu->rect.y() + 3 + itemHeight / 2);
    xdotool({"mousemove", QString::number(firstRow.x()), QString::number(firstRow.y())});
    const QImage hovered = readMenu(*menu, [&](const QImage& image) {
        return image.pixel(3 + itemHeight, 3 + 5) == colors.highlight.rgb();
    });
    EXPECT_EQ(hovered.pixel(3 + itemHeight, 3 + 5), colors.highlight.rgb());
    EXPECT_NE(hovered.pixel(3 + itemHeight - 1, 3 + 5), colors.highlight.rgb());
}

TEST_F(TrayMenuX, TheContextMenuOverTheFrozenScreenHasItsSize) {
    ASSERT_TRUE(XServer::waitFor([] { return window(isTrayIcon).has_value(); }));
    ASSERT_TRUE(XServer::waitFor([] {
        xdotool({"key", "ctrl+f"});
        return XServer::waitFor([] { return window(isFrozenScreen).has_value(); }, 2000);
    }));
    ASSERT_TRUE(XServer::waitFor([] {
        click({kScreen.width() / 2, 100}, 3);
        return XServer::waitFor([] { return window(isMenu).has_value(); }, 2000);
    }));
    const auto menu = settledWindow(isMenu);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rect.height(), menusizes::popupHeight(13));
    // Its longest caption, "Copy to Clipboard ( Autocopy Enabled )  " at a first start, counts
    // with the twips per pixel of the freeze.
    const int allowance =
        menusizes::allowance({"Copy to Clipboard ( Autocopy Enabled )  "}, 15) + 6;
    EXPECT_GE(menu->rect.width(), allowance);
    const picmenu::MenuColors colors = picmenu::MenuColors::current();
    const QImage shown = readMenu(
        *menu, [&](const QImage& image) { return image.pixel(0, 10) == colors.outerLight.rgb(); });
    EXPECT_EQ(shown.pixel(1, 10), colors.light.rgb());
    EXPECT_EQ(shown.pixel(shown.width() - 1, 10), colors.outerDark.rgb());
}

}  // namespace
}  // namespace qv::shell
