// Jobs due together while a window of ours is open and active, with a window manager: each
// saves its capture, and the window stays open.
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "autocapture/failurenotice.h"
#include "autocapture/jobrecords.h"
#include "autocapture/windows.h"
#include "options/optionsdialog.h"
#include "options/windows.h"
#include "output/windows.h"
#include "platform/linux/x11desktop.h"
#include "shell/mainwindow.h"
#include "shell/windows.h"
#include "support/programxtest.h"

namespace qv::autocapture {
namespace {

class JobsBesideOurWindowsX : public testsupport::ProgramXTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startProgram(
            {.size = {800, 600}, .windowManager = true}, [this](fakes::FakePlatform& fake) {
                fake.services().desktop = std::make_unique<platform::X11Desktop>();
                for (const char* name : {"First", "Second", "Third", "Fourth"})
                    writeJob({name, kInterval, kScreen, "1", dir.path(), name, ".bmp", kIncrement});
            }));
        quietCaptures();
    }
    QStringList saved() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
};

TEST_F(JobsBesideOurWindowsX, EveryJobDueTogetherSavesWhateverWindowOfOursIsOpen) {
    auto& mainWindow = prog_->shellWindows().mainWindow.get();
    auto& optionsWindows = prog_->optionsWindows();
    const auto options = [&]() -> options::OptionsDialog& {
        mainWindow.optionsItem->trigger();
        return optionsWindows.optionsDialog.get();
    };
    const struct {
        const char* window;
        std::function<QWidget&()> open;
    } cases[] = {
        {"Options", options},
        {"Hotkeys",
         [&]() -> QWidget& {
             options().hotkeysButton->click();
             return optionsWindows.hotkeysDialog.get();
         }},
        {"Default Printing",
         [&]() -> QWidget& {
             options().defaultPrintingButton->click();
             return prog_->outputWindows().defaultPrinting.get();
         }},
        {"Info",
         [&]() -> QWidget& {
             mainWindow.infoItem->trigger();
             return prog_->shellWindows().infoDialog.get();
         }},
        {"the failure notice",
         [&]() -> QWidget& {
             FailureNotice& notice = prog_->autocaptureWindows().failureNotice.get();
             notice.add(QStringLiteral("an earlier failure"));
             notice.activateWindow();
             return notice;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        QWidget& window = c.open();
        ASSERT_TRUE(processUntil([&] { return window.isActiveWindow(); }));
        const int before = int(saved().size());
        const int minute = fake_->clock().now().time().minute();
        while (fake_->clock().now().time().minute() == minute)
            fake_->clock().advance(4000);
        EXPECT_EQ(int(saved().size()), before + 4) << saved().join(' ').toStdString();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(prog_->captureState.freeze.desktopFrozen);
        window.close();
        ASSERT_TRUE(processUntil([&] { return !window.isVisible(); }));
    }
}

}  // namespace
}  // namespace qv::autocapture
