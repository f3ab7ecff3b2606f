#include "shell/clipboardmenus.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using C = capture::ClipboardContent;

using ClipboardMenuTest = CaptureTest;

TEST_F(ClipboardMenuTest, ClassifiesWhatTheClipboardHoldsAndEnablesPaste) {
    struct Row {
        bool text, image, rich;
        int mask;
        C content;
    };
    const Row rows[] = {
        {false, false, false, 0, C::Nothing}, {true, false, false, 1, C::Text},
        {false, true, false, 6, C::Bitmap},   {true, true, false, 7, C::Nothing},
        {false, false, true, 8, C::Text},     {true, false, true, 9, C::Text},
        {false, true, true, 14, C::Bitmap},   {true, true, true, 15, C::Nothing},
    };
    auto& clip = fake.clipboard();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mask);
        clip.textContent = row.text ? QStringLiteral("words") : QString();
        clip.imageContent = row.image ? QImage(4, 4, QImage::Format_RGB32) : QImage();
        clip.richText = row.rich;
        EXPECT_EQ(clipboardFormatMask(), row.mask);
        EXPECT_EQ(classifyClipboard(), row.content);
        updateClipboardMenus();
        EXPECT_EQ(captureState().clipboardContent, row.content);
        EXPECT_EQ(mainWindow().pasteItem->isEnabled(), row.content != C::Nothing);
    }
}

TEST_F(ClipboardMenuTest, OutputItemsFollowWhetherACaptureExists) {
    MainWindow& window = mainWindow();
    for (bool capture : {true, false}) {
        SCOPED_TRACE(capture);
        captureState().freeze.captureAvailable = capture;
        updateClipboardMenus();
        for (QAction* item :
             {window.saveToDefaultFolderItem, window.saveAsItem, window.printToDefaultPrinterItem,
              window.printItem, window.pageSetupItem, window.copyItem, window.emailItem})
            EXPECT_EQ(item->isEnabled(), capture) << item->text().toStdString();
        EXPECT_TRUE(window.pastingApplicationItem->isEnabled());
    }
}

}  // namespace
}  // namespace qv::shell::capturetests
