// Windows of ours over the frozen screen, as a monitor shows them: the X frame buffer.
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/program.h"
#include "fakes/fakeplatform.h"
#include "options/hotkeytable.h"
#include "options/windows.h"
#include "platform/linux/qtdialogs.h"
#include "platform/linux/x11desktop.h"
#include "platform/linux/x11hotkeys.h"
#include "shell/windows.h"
#include "support/programxtest.h"

namespace qv::shell {
namespace {

// The real desktop, dialogs and hotkeys: CTRL+F freezes, CTRL+O opens "Options...", CTRL+S
// saves as.
class WindowsAboveX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            startProgram({.size = {1024, 700}, .windowManager = true, .frameBuffer = true},
                         [](fakes::FakePlatform& fake) {
                             const auto user = platform::Registry::Root::CurrentUser;
                             fake.registry().createKey(user, options::kHotkeysKey);
                             const auto store = [&](int row, const char* text) {
                                 fake.registry().setValue(user, options::kHotkeysKey,
                                                          options::hotkeyRowName(row),
                                                          QByteArray(text).append('\0'));
                             };
                             store(options::RowFreeze, "CTRL+F");
                             store(options::RowOptions, "CTRL+O");
                             store(options::RowSaveAs, "CTRL+S");
                             fake.services().desktop = std::make_unique<platform::X11Desktop>();
                             fake.services().dialogs = std::make_unique<platform::QtDialogs>();
                             fake.services().hotkeys = std::make_unique<platform::X11Hotkeys>();
                         }));
        quietCaptures();
    }
    void key(const char* keys) { xdotool({"key", keys}); }
    void freezeByHotkey() {
        key("ctrl+f");
        // Frozen once the window manager has given the frozen screen the keys, which Qt may
        // report before.
        ASSERT_TRUE(processUntil([&] {
            return prog_->captureState.freeze.desktopFrozen &&
                   prog_->shellWindows().frozenScreen->isVisible() &&
                   hasKeyboardFocus(prog_->shellWindows().frozenScreen.get());
        })) << "CTRL+F never froze the desktop";
    }
    // Opens Options by its hotkey and, when asked, Hotkeys from it; leaves them for another
    // program, freezes, and activates the window again.
    void openBeforeTheFreezeThenActivate(bool hotkeys) {
        auto& optionsWindows = prog_->optionsWindows();
        key("ctrl+o");
        ASSERT_TRUE(processUntil([&] { return optionsWindows.optionsDialog->isActiveWindow(); }));
        QWidget* window = &optionsWindows.optionsDialog.get();
        if (hotkeys) {
            optionsWindows.optionsDialog->hotkeysButton->click();
            window = &optionsWindows.hotkeysDialog.get();
        }
        ASSERT_TRUE(processUntil([&] { return window->isActiveWindow(); }));
        ASSERT_TRUE(onScreen(*window));
        ASSERT_NO_FATAL_FAILURE(activateOtherProgram());
        ASSERT_NO_FATAL_FAILURE(freezeByHotkey());
        ASSERT_FALSE(onScreen(*window, 500)) << "the frozen screen left the window uncovered";
        // As a task bar or a window switcher asks for it.
        xdotool({"windowactivate", QString::number(window->winId())});
        ASSERT_TRUE(processUntil([&] { return window->isActiveWindow(); }))
            << "the window was never activated";
        EXPECT_TRUE(onScreen(*window)) << "the frozen picture covers the activated window";
    }
    // The user goes on in another program, whose window covers the whole screen.
    void activateOtherProgram() {
        xcb_connection_t* c = server->connection();
        const xcb_window_t other = createWindow({0, 0, 1024, 700}, 0x3060a0, false);
        xcb_map_window(c, other);
        xcb_flush(c);
        ASSERT_TRUE(processUntil([&] {
            xdotool({"windowactivate", QString::number(other)});
            const std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&free)> focus(
                xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &free);
            return focus && focus->focus == other;
        })) << "the other program never got the keys";
    }
    // Whether the frame buffer shows the window's inside as the window paints it, but for the
    // pointer and a focus mark.
    bool onScreen(QWidget& window, int deadlineMs = 10000) {
        const QRect inside(window.mapToGlobal(QPoint(0, 0)), window.size());
        return processUntil(
            [&] {
                const QImage painted =
                    window.grab().toImage().convertToFormat(QImage::Format_RGB32);
                const QImage shown = server->frameBuffer().copy(inside);
                if (shown.size() != painted.size())
                    return false;
                int same = 0;
                for (int y = 0; y < shown.height(); ++y)
                    for (int x = 0; x < shown.width(); ++x)
                        same += shown.pixel(x, y) == painted.pixel(x, y) ? 1 : 0;
                return same >= shown.width() * shown.height() * 97 / 100;
            },
            deadlineMs);
    }
};

TEST_F(WindowsAboveX, OptionsOpenedByItsHotkeyOverTheFrozenScreenIsSeen) {
    ASSERT_NO_FATAL_FAILURE(freezeByHotkey());
    QWidget& optionsDialog = prog_->optionsWindows().optionsDialog.get();
    key("ctrl+o");
    ASSERT_TRUE(processUntil([&] { return optionsDialog.isActiveWindow(); }))
        << "the hotkey never opened the Options window";
    EXPECT_TRUE(onScreen(optionsDialog)) << "the frozen picture covers the Options window";

    // Released, the window goes back among the ordinary ones.
    const auto keptAbove = [&] {
        const auto x = server->x();
        const std::vector<quint32> states =
            x.property32(xcb_window_t(optionsDialog.winId()), "_NET_WM_STATE", XCB_ATOM_ATOM);
        return std::find(states.begin(), states.end(), x.atom("_NET_WM_STATE_ABOVE")) !=
               states.end();
    };
    EXPECT_TRUE(keptAbove());
    prog_->shellWindows().mainWindow->resetAfterRelease();
    EXPECT_TRUE(processUntil([&] { return !keptAbove(); }));
    EXPECT_TRUE(optionsDialog.isVisible());
}

// Left open behind another program, then covered by the freeze: its hotkey brings it in front.
TEST_F(WindowsAboveX, OptionsOpenBeforeTheFreezeComesInFrontByItsHotkey) {
    auto& optionsWindows = prog_->optionsWindows();
    key("ctrl+o");
    ASSERT_TRUE(processUntil([&] { return optionsWindows.optionsDialog->isActiveWindow(); }));
    QWidget& optionsDialog = optionsWindows.optionsDialog.get();
    ASSERT_TRUE(onScreen(optionsDialog));
    ASSERT_NO_FATAL_FAILURE(activateOtherProgram());
    ASSERT_NO_FATAL_FAILURE(freezeByHotkey());
    ASSERT_FALSE(onScreen(optionsDialog, 500)) << "the frozen screen left the window uncovered";
    key("ctrl+o");
    EXPECT_TRUE(onScreen(optionsDialog)) << "the frozen picture covers the Options window";
    EXPECT_TRUE(processUntil([&] { return optionsDialog.isActiveWindow(); }))
        << "the Options window did not get the keys";
}

TEST_F(WindowsAboveX, OptionsOpenBeforeTheFreezeIsSeenOnceActivated) {
    openBeforeTheFreezeThenActivate(false);
}

TEST_F(WindowsAboveX, HotkeysOpenBeforeTheFreezeIsSeenOnceActivated) {
    openBeforeTheFreezeThenActivate(true);
}

// The Save dialog belongs to the frozen screen, which has the keys once it closes: a window
// manager stacks a window with the keys that covers the screen above all others.
TEST_F(WindowsAboveX, OptionsStaysInFrontOfTheFrozenScreenAfterTheSaveDialogCloses) {
    ASSERT_NO_FATAL_FAILURE(freezeByHotkey());
    xdotool(
        {"mousemove", "100", "100", "mousedown", "1", "mousemove", "300", "250", "mouseup", "1"});
    ASSERT_TRUE(processUntil([&] { return prog_->captureState.freeze.captureAvailable; }));
    QWidget& optionsDialog = prog_->optionsWindows().optionsDialog.get();
    key("ctrl+o");
    ASSERT_TRUE(processUntil([&] { return optionsDialog.isActiveWindow(); }));
    QTimer escape;  // once the dialog has the keys
    QObject::connect(&escape, &QTimer::timeout, [&] {
        const QWidget* dialog = QApplication::activeModalWidget();
        if (dialog && hasKeyboardFocus(*dialog) && server->run("xdotool", {"key", "Escape"}) == 0)
            escape.stop();
    });
    escape.start(20);
    key("ctrl+s");
    ASSERT_TRUE(
        processUntil([&] { return !escape.isActive() && !QApplication::activeModalWidget(); }));
    EXPECT_TRUE(onScreen(optionsDialog)) << "the frozen picture covers the Options window";
}

}  // namespace
}  // namespace qv::shell
