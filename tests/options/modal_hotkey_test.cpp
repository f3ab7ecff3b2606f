// Hotkeys pressed while one of our dialogs is open.
#include <gtest/gtest.h>

#include "fakes/fakeprogram.h"
#include "options/hotkeydispatcher.h"
#include "options/hotkeyrecorder.h"
#include "options/hotkeytable.h"

namespace qv::options {
namespace {

class ModalHotkeyTest : public fakes::ProgramTest {
protected:
    HotkeyRecorder recorder;
    HotkeyDispatcher dispatcher{recorder};
};

TEST_F(ModalHotkeyTest, EveryHotkeyIsIgnoredWhileAMessageBoxIsOpenAndWorksAfterIt) {
    // Page Setup refused on a screen that is not frozen: its message box is the open dialog.
    const int refusedPageSetup = kFirstHotkeyId + RowPageSetup;
    QStringList underTheBox;
    fake.dialogs().whileMessageOpen = [&] {
        fake.dialogs().whileMessageOpen = nullptr;
        prog.captureState.freeze.desktopFrozen = prog.captureState.freeze.captureAvailable = true;
        recorder.frozenShown = true;
        for (int id = kFirstHotkeyId; id <= kLastHotkeyId; ++id)
            fake.hotkeys().onHotkey(id);
        underTheBox = recorder.calls;
        recorder.frozenShown = false;
        prog.captureState.freeze.desktopFrozen = prog.captureState.freeze.captureAvailable = false;
    };
    fake.hotkeys().onHotkey(refusedPageSetup);
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(underTheBox, QStringList());
    EXPECT_EQ(fake.dialogs().messages.size(), 1u) << "no message box under another";

    fake.hotkeys().onHotkey(kFirstHotkeyId + RowRelease);
    EXPECT_EQ(recorder.calls, QStringList{"releaseDesktop"});
}

}  // namespace
}  // namespace qv::options
