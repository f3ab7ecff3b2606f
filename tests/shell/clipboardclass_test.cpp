#include "shell/clipboardclass.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

TEST(ClipboardClass, MaskTable) {
    const char* expected[16] = {"nothing", "text",    "bitmap", "nothing", "bitmap",  "nothing",
                                "bitmap",  "nothing", "text",   "text",    "nothing", "nothing",
                                "nothing", "nothing", "bitmap", "nothing"};
    for (int mask = 0; mask < 16; ++mask)
        EXPECT_EQ(Module2::ClipboardClassOf(mask), expected[mask]) << mask;
}

using ClipboardMenuTest = CaptureTest;

TEST_F(ClipboardMenuTest, ClassifiesWhatTheClipboardHoldsAndEnablesPaste) {
    struct Row {
        bool text, image, rich;
        int mask;
        const char* cls;
    };
    const Row rows[] = {
        {false, false, false, 0, "nothing"}, {true, false, false, 1, "text"},
        {false, true, false, 6, "bitmap"},   {true, true, false, 7, "nothing"},
        {false, false, true, 8, "text"},     {false, true, true, 14, "bitmap"},
    };
    auto& clip = fake.clipboard();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mask);
        clip.textContent = row.text ? QStringLiteral("words") : QString();
        clip.imageContent = row.image ? QImage(4, 4, QImage::Format_RGB32) : QImage();
        clip.richText = row.rich;
        EXPECT_EQ(Module2::ClipboardFormatMask(), row.mask);
        EXPECT_EQ(Module2::ClassifyClipboard(), row.cls);
        Module2::UpdateClipboardMenus();
        EXPECT_EQ(form1().mnupaste->isEnabled(), QString(row.cls) != "nothing");
    }
}

TEST_F(ClipboardMenuTest, OutputItemsFollowWhetherACaptureExists) {
    Form1& f1 = form1();
    for (bool capture : {true, false}) {
        SCOPED_TRACE(capture);
        shellState().captureavailable = capture;
        Module2::UpdateClipboardMenus();
        for (QAction* item : {f1.mnuSaveToDefDir, f1.mnuSaveas, f1.mnuDefPrinter, f1.mnuPrint,
                              f1.mnupagesetup, f1.mnucopytoclipbrd, f1.mnuemail})
            EXPECT_EQ(item->isEnabled(), capture) << item->text().toStdString();
        EXPECT_TRUE(f1.mnuOpenContainerApp->isEnabled());
    }
}

}  // namespace
}  // namespace qv::shell::capturetests
