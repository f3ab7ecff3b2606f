// A row set in the Hotkeys window against a private X server fires its command from a real key
// press, also with NumLock on. (A combination another client holds: HotkeysX refuses it,
// HotkeysTest reports the refusal.)
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "fakes/fakeplatform.h"
#include "options/hotkeydispatcher.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeytable.h"
#include "options/windows.h"
#include "platform/linux/x11hotkeys.h"
#include "support/programxtest.h"

namespace qv::options {
namespace {

class HotkeyDialogX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startProgram({}, [](fakes::FakePlatform& fake) {
            // A later start with an empty table, so that the row is free for the combinations.
            fake.registry().createKey(platform::Registry::Root::CurrentUser, kHotkeysKey);
            fake.services().hotkeys = std::make_unique<platform::X11Hotkeys>();
        }));
        dispatcher_ = std::make_unique<HotkeyDispatcher>(recorder_);
    }
    void TearDown() override {
        dispatcher_.reset();
        ProgramXTest::TearDown();
    }
    void set(const QString& modifier) {
        HotkeysDialog& dialog = prog_->optionsWindows().hotkeysDialog.get();
        dialog.rowList->setCurrentRow(RowFreeze);
        dialog.modifierCombo->setCurrentText(modifier);
        dialog.keyCombo->setCurrentText("F");
        dialog.setHotkeyButton->click();
    }
    void pressAndAwait(int calls) {
        ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"key", "ctrl+alt+f"}), 0);
        ASSERT_TRUE(processUntil([&] { return recorder_.calls.size() >= calls; }, 5000));
    }

    HotkeyRecorder recorder_;
    std::unique_ptr<HotkeyDispatcher> dispatcher_;
};

TEST_F(HotkeyDialogX, ARowSetInTheDialogFiresFromARealKeyPress) {
    set("CTRL+ALT+");
    ASSERT_TRUE(fake_->dialogs().messages.empty()) << fake_->dialogs().lastText();
    pressAndAwait(1);
    ASSERT_EQ(server->run(QStringLiteral("xdotool"), {"key", "Num_Lock"}), 0);
    pressAndAwait(2);
    EXPECT_EQ(recorder_.calls, (QStringList{"freezeDesktop", "freezeDesktop"}));
}

}  // namespace
}  // namespace qv::options
