// Jobs due together while a window of ours is active, with a window manager: each saves its
// capture, and the window stays open.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

#include "autocapture/failurenotice.h"
#include "autocapture/jobrecords.h"
#include "autocapture/windows.h"
#include "options/optionsdialog.h"
#include "options/windows.h"
#include "output/windows.h"
#include "platform/linux/x11desktop.h"
#include "shell/windows.h"
#include "support/programxtest.h"

namespace qv::autocapture {
namespace {

using JobsBesideOurWindowsX = testsupport::ProgramXTest;

TEST_F(JobsBesideOurWindowsX, EveryJobDueTogetherSavesWhateverWindowOfOursIsActive) {
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(
        startProgram({.size = {800, 600}, .windowManager = true}, [&](fakes::FakePlatform& fake) {
            fake.services().desktop = std::make_unique<platform::X11Desktop>();
            for (const char* name : {"First", "Second", "Third", "Fourth"})
                writeJob({name, kInterval, kScreen, "1", dir.path(), name, ".bmp", kIncrement});
        }));
    quietCaptures();
    shell::MainWindow& mainWindow = prog_->shellWindows().mainWindow.get();
    options::OptionsDialog& options = prog_->optionsWindows().optionsDialog.get();
    FailureNotice& notice = prog_->autocaptureWindows().failureNotice.get();
    const std::tuple<const char*, std::function<void()>, QWidget*> cases[] = {
        {"Options", [&] { mainWindow.optionsItem->trigger(); }, &options},
        {"Hotkeys", [&] { options.hotkeysButton->click(); },
         &prog_->optionsWindows().hotkeysDialog.get()},
        {"Default Printing", [&] { options.defaultPrintingButton->click(); },
         &prog_->outputWindows().defaultPrinting.get()},
        {"Info", [&] { mainWindow.infoItem->trigger(); }, &prog_->shellWindows().infoDialog.get()},
        {"the failure notice",
         [&] {
             notice.add("an earlier failure");
             notice.activateWindow();
         },
         &notice},
    };
    // Into the next minute, when all four are due.
    auto nextMinute = [this] {
        const int minute = fake_->clock().now().time().minute();
        while (fake_->clock().now().time().minute() == minute)
            fake_->clock().advance(4000);
    };
    qsizetype saved = 0;
    for (const auto& [window, open, shown] : cases) {
        SCOPED_TRACE(window);
        open();
        ASSERT_TRUE(processUntil([&] { return shown->isActiveWindow(); }));
        nextMinute();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), saved += 4);
        EXPECT_TRUE(shown->isVisible());
    }
    // A message box of Options: the minute passes in its own loop.
    fake_->dialogs().whileMessageOpen = nextMinute;
    options.fileNamePrefixEdit->setText("a|b");
    options.applyButton->click();
    EXPECT_EQ(fake_->dialogs().messages.size(), 1u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), saved + 4);
    EXPECT_TRUE(options.isVisible());
}

}  // namespace
}  // namespace qv::autocapture
