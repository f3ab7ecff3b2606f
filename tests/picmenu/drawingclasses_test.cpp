#include <gtest/gtest.h>

#include <QMenu>
#include <QString>
#include <memory>

#include "picmenu/menueventhook.h"
#include "picmenu/offscreencanvas.h"

namespace qv::picmenu {
namespace {

TEST(OffscreenCanvas, GrowsOnlyAndKeepsTheOtherSide) {
    const struct {
        const char* steps;  // w<n> sets the width, h<n> the height, r<n> the pixel ratio
        QSize size;
        QSize pixels;  // the surface's device pixels
    } cases[] = {
        {"w500 h24", {500, 24}, {500, 24}},
        {"w500 h24 w300 h10", {500, 24}, {500, 24}},
        {"w500 h24 h30", {500, 30}, {500, 30}},
        {"h24 w600", {600, 24}, {600, 24}},
        {"w500", {500, 0}, {0, 0}},
        {"w500 h24 r1.5", {500, 24}, {750, 36}},
        {"r2 w101 h9 w50", {101, 9}, {202, 18}},
        {"w101 h9 r1.5 r1", {101, 9}, {101, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        OffscreenCanvas canvas;
        for (const QString& step : QString::fromLatin1(c.steps).split(u' ')) {
            const double value = step.mid(1).toDouble();
            if (step.startsWith(u'r'))
                canvas.setPixelRatio(value);
            else
                step.startsWith(u'w') ? canvas.setWidth(int(value)) : canvas.setHeight(int(value));
        }
        EXPECT_EQ(QSize(canvas.width(), canvas.height()), c.size);
        EXPECT_EQ(canvas.image().size(), c.pixels);
        if (!c.pixels.isEmpty()) {
            EXPECT_EQ(canvas.image().devicePixelRatio(), canvas.pixelRatio());
        }
    }
}

TEST(MenuEventHook, AHookOutlivedByItsPopupOrDestroyedFirstLeavesNothingBehind) {
    auto menu = std::make_unique<QMenu>();
    {
        MenuEventHook hook;
        hook.hook(menu.get(), copyOfStyle(*menu));
        EXPECT_TRUE(hook.isHooked());
        EXPECT_TRUE(menu->testAttribute(Qt::WA_SetStyle));
    }
    EXPECT_FALSE(menu->testAttribute(Qt::WA_SetStyle)) << "destroying the hook unhooks";

    MenuEventHook hook;
    hook.hook(menu.get(), copyOfStyle(*menu));
    menu.reset();
    hook.unhook();  // the popup is gone: nothing to give back
    EXPECT_FALSE(hook.isHooked());
}

}  // namespace
}  // namespace qv::picmenu
