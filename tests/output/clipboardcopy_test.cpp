// "Copy to Clipboard" from the frozen screen's menu.
#include <gtest/gtest.h>

#include "shell/capture_fixture.h"

namespace qv::output {
namespace {

class ClipboardCopyTest : public shell::capturetests::CaptureTest {};

TEST_F(ClipboardCopyTest, TheClipboardHoldsExactlyTheCaptureAndTheReleaseFollowsTheOptions) {
    const QImage capture = shell::capturetests::patternScreen(31, 19);
    for (bool release : {false, true}) {
        SCOPED_TRACE(release);
        settings().autoCopy = false;
        settings().releaseAfterCapture = release;
        freeze();
        session().buffer = capture;
        captureState().freeze.captureAvailable = true;
        fake.clipboard().textContent = QStringLiteral("older text");
        fake.clipboard().richText = true;
        fake.clipboard().clears = 0;

        mainWindow().copyItem->trigger();

        EXPECT_EQ(fake.clipboard().clears, 1);
        EXPECT_TRUE(fake.clipboard().textContent.isNull());
        EXPECT_FALSE(fake.clipboard().richText);
        EXPECT_EQ(fake.clipboard().imageContent, capture);
        EXPECT_EQ(captureState().freeze.desktopFrozen, !release);
        EXPECT_EQ(shellWindows().frozenScreen.exists(), !release);
        if (!release) {
            EXPECT_EQ(buffer(), capture) << "the capture stays for further outputs";
            EXPECT_TRUE(frozenScreen().isVisible());
        }
        mainWindow().resetAfterRelease();
    }
}

}  // namespace
}  // namespace qv::output
