#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "shell/capture_fixture.h"
#include "shell/clipboardclass.h"

namespace qv::shell::capturetests {
namespace {

TEST(ClipboardClass, MaskTable) {
    const char* expected[16] = {"nothing", "text",    "bitmap", "nothing", "bitmap",  "nothing",
                                "bitmap",  "nothing", "text",   "text",    "nothing", "nothing",
                                "nothing", "nothing", "bitmap", "nothing"};
    for (int mask = 0; mask < 16; ++mask) {
        SCOPED_TRACE(mask);
        EXPECT_EQ(Module2::ClipboardClassOf(mask), expected[mask]);
    }
}

using ClipboardMenuTest = CaptureTest;

TEST_F(ClipboardMenuTest, ClassifiesWhatTheClipboardHolds) {
    struct Row {
        const char* name;
        bool text;
        bool image;
        bool rich;
        int mask;
        const char* cls;
    };
    const Row rows[] = {
        {"empty", false, false, false, 0, "nothing"},
        {"plain text", true, false, false, 1, "text"},
        {"an image", false, true, false, 6, "bitmap"},
        {"text and an image", true, true, false, 7, "nothing"},
        {"rich text", true, false, true, 9, "text"},
        {"rich text alone", false, false, true, 8, "text"},
        {"an image with rich text", false, true, true, 14, "bitmap"},
    };
    auto& clip = fake.clipboard();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clip.textContent = row.text ? QStringLiteral("words") : QString();
        clip.imageContent = row.image ? QImage(4, 4, QImage::Format_RGB32) : QImage();
        clip.richText = row.rich;
        EXPECT_EQ(Module2::ClipboardFormatMask(), row.mask);
        EXPECT_EQ(Module2::ClassifyClipboard(), row.cls);
        EXPECT_EQ(shellState().clipboardclass, row.cls);

        Module2::UpdateClipboardMenus();
        EXPECT_EQ(form1().mnupaste->isEnabled(), QString(row.cls) != "nothing");
    }
}

TEST_F(ClipboardMenuTest, OutputItemsFollowWhetherACaptureExists) {
    Form1& f1 = form1();
    const std::initializer_list<QAction*> outputs = {
        f1.mnuSaveToDefDir, f1.mnuSaveas,        f1.mnuDefPrinter, f1.mnuPrint,
        f1.mnupagesetup,    f1.mnucopytoclipbrd, f1.mnuemail};
    for (bool capture : {false, true, false}) {
        SCOPED_TRACE(capture);
        shellState().captureavailable = capture;
        Module2::UpdateClipboardMenus();
        for (QAction* item : outputs)
            EXPECT_EQ(item->isEnabled(), capture) << item->text().toStdString();
        EXPECT_TRUE(f1.mnuOpenContainerApp->isEnabled());
    }
}

}  // namespace
}  // namespace qv::shell::capturetests
