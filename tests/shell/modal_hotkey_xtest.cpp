// A hotkey pressed on the real keyboard while a dialog of ours runs its own event loop.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <optional>

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

// The real dialogs and hotkeys; CTRL+K is the Release hotkey.
class ModalHotkeyX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            startProgram({.windowManager = true}, [](fakes::FakePlatform& fake) {
                auto& services = fake.services();
                services.desktop = std::make_unique<platform::X11Desktop>();
                services.hotkeys = std::make_unique<platform::X11Hotkeys>();
                services.dialogs = std::make_unique<platform::QtDialogs>();
            }));
        quietCaptures();
        ASSERT_EQ(platform::hotkeys().registerHotkey(options::kFirstHotkeyId + options::RowRelease,
                                                     platform::ModControl, 'K'),
                  0);
        // Counts the presses that reach the program, whatever it then does with them.
        platform::hotkeys().onHotkey = [this, dispatch = platform::hotkeys().onHotkey](int id) {
            ++presses_;
            dispatch(id);
        };
    }
    // What the press found and left, seen from inside the dialog's loop.
    struct UnderTheDialog {
        bool pressArrived = false;
        bool frozenScreenStayed = false;
        bool dialogStayed = false;
    };

    // Runs open, which shows a modal dialog; once that dialog is up, presses CTRL+K, looks at
    // what it did and closes the dialog.
    std::optional<UnderTheDialog> pressReleaseUnderADialog(const std::function<void()>& open) {
        std::optional<UnderTheDialog> seen;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || seen)
                return;
            poll.stop();
            seen.emplace();
            const int before = presses_;
            server->run(QStringLiteral("xdotool"), {"key", "ctrl+k"});
            // The press is dispatched in the same call that counts it.
            seen->pressArrived = processUntil([&] { return presses_ > before; });
            seen->frozenScreenStayed = prog_->shellWindows().frozenScreen.exists() &&
                                       prog_->shellWindows().frozenScreen->isVisible();
            seen->dialogStayed = QApplication::activeModalWidget() == dialog;
            dialog->done(QDialog::Rejected);
        });
        poll.start();
        open();
        // The frozen screen's box waits for the window manager to activate that screen.
        processUntil([&] { return seen && !QApplication::activeModalWidget(); }, 60000);
        return seen;
    }
    void expectIgnored(const std::optional<UnderTheDialog>& seen) {
        ASSERT_TRUE(seen) << "the dialog never opened";
        EXPECT_TRUE(seen->pressArrived);
        EXPECT_TRUE(seen->frozenScreenStayed);
        EXPECT_TRUE(seen->dialogStayed);
        // Once the dialog is gone, the same key releases as ever.
        xdotoolKey("ctrl+k");
        EXPECT_TRUE(processUntil([&] { return !prog_->shellWindows().frozenScreen.exists(); }))
            << "the Release hotkey no longer works after the dialog";
    }
    void xdotoolKey(const char* key) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"key", key}), 0);
    }

    int presses_ = 0;
};

TEST_F(ModalHotkeyX, ReleaseUnderTheSaveAsFileDialogIsIgnored) {
    MainWindow& mainWindow = prog_->shellWindows().mainWindow.get();
    mainWindow.captureScreenItem->trigger();
    ASSERT_TRUE(processUntil([&] {
        return prog_->captureState.freeze.desktopFrozen &&
               prog_->captureState.freeze.captureAvailable;
    }));
    expectIgnored(pressReleaseUnderADialog([&] { mainWindow.saveAsItem->trigger(); }));
}

TEST_F(ModalHotkeyX, ReleaseUnderAMessageBoxOfTheFrozenScreenIsIgnored) {
    // Capture Active Window with no window to take: "Cannot find any active Window !", a box
    // that belongs to the frozen screen.
    prog_->capture.targetWindow = 0;
    expectIgnored(
        pressReleaseUnderADialog([&] { prog_->shellWindows().mainWindow->captureActiveWindow(); }));
}

}  // namespace
}  // namespace qv::shell
