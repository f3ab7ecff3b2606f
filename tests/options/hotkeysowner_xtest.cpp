// The Hotkeys window opened from the Options window, under a window manager: the manager knows
// Options as its owner, keeps it over Options, and Options still takes input.
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstddef>
#include <vector>

#include "options/optionsdialog.h"
#include "options/windows.h"
#include "support/programxtest.h"

namespace qv::options {
namespace {

using HotkeysOwnerX = testsupport::ProgramXTest;

TEST_F(HotkeysOwnerX, OptionsOwnsTheHotkeysWindowAndAClickOnOptionsLeavesItInFront) {
    ASSERT_NO_FATAL_FAILURE(startProgram({.size = {1280, 800}, .windowManager = true}));
    const platform::x11::XConnection x = server->x();
    OptionsDialog& optionsWindow = prog_->optionsWindows().optionsDialog.get();
    optionsWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&optionsWindow));
    ASSERT_TRUE(processUntil([&] { return hasKeyboardFocus(optionsWindow); }));

    clickAt(optionsWindow.hotkeysButton->mapToGlobal(optionsWindow.hotkeysButton->rect().center()));
    HotkeysDialog& hotkeys = prog_->optionsWindows().hotkeysDialog.get();
    ASSERT_TRUE(processUntil([&] { return hotkeys.isVisible() && hasKeyboardFocus(hotkeys); }));
    const auto optionsId = static_cast<quint32>(optionsWindow.winId());
    const auto hotkeysId = static_cast<quint32>(hotkeys.winId());
    EXPECT_EQ(x.property32(hotkeysId, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW),
              std::vector<quint32>{optionsId});

    // The title bar of Options, beside the window it owns, as a user would click it.
    const QRect frame = optionsWindow.frameGeometry();
    const QPoint titleBar(frame.left() + frame.width() / 3,
                          (frame.top() + optionsWindow.geometry().top()) / 2);
    ASSERT_FALSE(hotkeys.frameGeometry().contains(titleBar));
    clickAt(titleBar);
    // The manager names the active window once it has handled the whole click.
    ASSERT_TRUE(processUntil([&] {
        return x.property32(x.root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW) ==
               std::vector<quint32>{optionsId};
    }));
    EXPECT_TRUE(hasKeyboardFocus(optionsWindow)) << "Options still takes input";
    EXPECT_TRUE(hotkeys.isVisible());
    const std::vector<quint32> stacking =
        x.property32(x.root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);  // bottom first
    const auto at = [&](quint32 window) {
        return std::find(stacking.begin(), stacking.end(), window) - stacking.begin();
    };
    ASSERT_LT(at(hotkeysId), static_cast<std::ptrdiff_t>(stacking.size()));
    EXPECT_GT(at(hotkeysId), at(optionsId)) << "Hotkeys stays over Options";
}

}  // namespace
}  // namespace qv::options
