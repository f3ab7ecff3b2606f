// "Paste from Clipboard" on the frozen screen, by what the fake clipboard offers.
#include <QApplication>

#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"
#include "toolkit/colors.h"

namespace qv::shell::capturetests {
namespace {

class PasteTest : public AreaTest {
protected:
    PasteTest() {
        settings().autoPopupMenu = true;
        captureState().rightClickPos = QPointF(4500, 3000);
    }
    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    void offer(const QString& text, const QImage& picture, bool richText) {
        auto& clipboard = fake.clipboard();
        clipboard.textContent = text;
        clipboard.imageContent = picture;
        clipboard.richText = richText;
    }
    void paste() { mainWindow().pasteFromClipboard(); }
    template <class Item>
    int used(const std::vector<Item*>& pool) {
        return int(std::count_if(pool.begin(), pool.end(), [](auto* i) { return i->isVisible(); }));
    }
    static QImage pictureOf(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        return image;
    }
};

TEST_F(PasteTest, WhatIsPastedFollowsTheFormatsOnOffer) {
    const QString text = QStringLiteral("first line\nsecond line");
    const struct {
        const char* name;
        bool text, picture, rich;
        capture::ClipboardContent content;
    } rows[] = {
        {"text (1)", true, false, false, capture::ClipboardContent::Text},
        {"text and rich text (9)", true, false, true, capture::ClipboardContent::Text},
        {"picture (6)", false, true, false, capture::ClipboardContent::Bitmap},
        {"picture and rich text (14)", false, true, true, capture::ClipboardContent::Bitmap},
        {"text and picture (7)", true, true, false, capture::ClipboardContent::Nothing},
        {"all three (15)", true, true, true, capture::ClipboardContent::Nothing},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int texts = used(items().texts);
        const int images = used(items().images);
        offer(row.text ? text : QString(), row.picture ? pictureOf(40, 30) : QImage(), row.rich);
        paste();
        EXPECT_EQ(captureState().clipboardContent, row.content);
        EXPECT_EQ(used(items().texts),
                  texts + (row.content == capture::ClipboardContent::Text ? 1 : 0));
        EXPECT_EQ(used(items().images),
                  images + (row.content == capture::ClipboardContent::Bitmap ? 1 : 0));
    }
}

TEST_F(PasteTest, APictureLiesAtTheRightClickPointAtItsOwnSizeWithHandlesAndOneNotice) {
    auto& s = objectsState();
    offer({}, pictureOf(40, 30), false);
    paste();
    CanvasImage* image = items().images[s.currentImage];
    ASSERT_TRUE(image->isVisible());
    EXPECT_EQ(image->geometry(), QRectF(4500, 3000, 40 * 15, 30 * 15));
    EXPECT_EQ(picture()->toPixels(image->geometry()).size(), QSize(40, 30));
    EXPECT_EQ(image->picture(), fake.clipboard().imageContent);
    EXPECT_TRUE(items().handles[0]->isVisible());
    EXPECT_TRUE(s.freeze.objectsAdded);
    EXPECT_TRUE(prog.objectsWindows().objectsPalette.exists()) << "loaded, not shown";
    EXPECT_FALSE(prog.objectsWindows().objectsPalette.peek()->isVisible());
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
    paste();
    EXPECT_EQ(fake.dialogs().messages.size(), 1u) << "once per palette load";
    EXPECT_EQ(used(items().images), 2);
}

TEST_F(PasteTest, ATextIsOpaqueInTheDefaultFontWholeAndWithoutFrameOrNotice) {
    auto& s = objectsState();
    s.freeze.objectsAdded = false;
    QString longText(40000, QChar(u'x'));
    longText += QStringLiteral("\r\nend");
    offer(longText, {}, false);
    paste();
    CanvasLabel* label = items().texts[s.currentText];
    ASSERT_TRUE(label->isVisible());
    EXPECT_EQ(label->caption(), longText) << "whole, line breaks kept";
    EXPECT_EQ(label->geometry().topLeft(), QPointF(4500, 3000));
    EXPECT_TRUE(label->opaque());
    EXPECT_EQ(label->font(), QApplication::font());
    EXPECT_EQ(label->textColor(), toolkit::colorFromValue(0x80000008));
    EXPECT_EQ(label->backgroundColor(), toolkit::colorFromValue(0x80000005));
    EXPECT_FALSE(items().textFrame->isVisible());
    EXPECT_FALSE(s.freeze.objectsAdded);
    EXPECT_TRUE(fake.dialogs().messages.empty());
}

TEST_F(PasteTest, NothingToAddStillMovesAPlacementPointAtTheOriginToTheCentre) {
    auto& s = objectsState();
    const struct {
        const char* name;
        QString text;
        bool picture, rich;
    } rows[] = {
        {"rich text alone reads as an empty text", QString(), false, true},
        {"an empty text", QStringLiteral(""), false, false},
        {"text and picture", QStringLiteral("x"), true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s.newObjectPos = QPointF(0, 5000);
        offer(row.text, row.picture ? pictureOf(2, 2) : QImage(), row.rich);
        paste();
        EXPECT_EQ(s.newObjectPos, QPointF(captureState().screenTwipsWidth / 2,
                                          captureState().screenTwipsHeight / 2));
        EXPECT_EQ(used(items().texts), 0);
        EXPECT_EQ(used(items().images), 0);
    }
    // A picture offered that cannot be read takes no element and shows no handles.
    s.newObjectPos = QPointF(5, 5);
    offer({}, {}, false);
    fake.clipboard().unreadableImage = true;
    paste();
    EXPECT_EQ(captureState().clipboardContent, capture::ClipboardContent::Bitmap);
    EXPECT_EQ(s.newObjectPos.x(), captureState().screenTwipsWidth / 2);
    EXPECT_EQ(used(items().images), 0);
    EXPECT_FALSE(items().handles[0]->isVisible());
    fake.clipboard().unreadableImage = false;

    s.newObjectPos = QPointF(150, 150);
    offer(QStringLiteral("x"), {}, false);
    paste();
    EXPECT_EQ(s.newObjectPos, QPointF(150, 150));
}

// A picture on offer that cannot be pasted adds nothing and says why; the next one pastes.
TEST_F(PasteTest, APictureThatCannotBePastedIsNamedAndAddsNothing) {
    auto& clipboard = fake.clipboard();
    const struct {
        const char* what;
        bool unreadable;
        QSize tooBig;
        QString message;
    } rows[] = {
        {"damaged", true, {}, QStringLiteral("The picture on the clipboard cannot be read !")},
        {"too big for the memory", false, QSize(60000, 40000),
         QStringLiteral(
             "Not enough memory to paste the picture on the clipboard (60000 x 40000 pixels) !")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        offer({}, {}, false);
        clipboard.unreadableImage = row.unreadable;
        clipboard.tooBigImage = row.tooBig;
        fake.dialogs().messages.clear();
        paste();
        EXPECT_EQ(captureState().clipboardContent, capture::ClipboardContent::Bitmap);
        ASSERT_EQ(fake.dialogs().messages.size(), 1u);
        EXPECT_EQ(fake.dialogs().lastText(), row.message);
        EXPECT_EQ(fake.dialogs().messages[0].title, "Quorvalline");
        EXPECT_EQ(fake.dialogs().messages[0].icon, platform::MsgIcon::Information);
        EXPECT_EQ(used(items().images), 0);
        EXPECT_FALSE(items().handles[0]->isVisible());
    }
    clipboard.unreadableImage = false;
    clipboard.tooBigImage = QSize();
    offer({}, pictureOf(3, 2), false);
    paste();
    EXPECT_EQ(used(items().images), 1);
}

TEST_F(PasteTest, FullPoolsAddNothingButAPictureStillSelectsTheCurrentImage) {
    auto& s = objectsState();
    for (CanvasImage* image : items().images)
        image->show();
    for (CanvasLabel* text : items().texts)
        text->show();
    s.currentImage = 7;
    const QRectF seventh = items().images[7]->geometry();
    offer({}, pictureOf(5, 5), false);
    paste();
    EXPECT_EQ(s.currentImage, 7);
    EXPECT_EQ(items().images[7]->geometry(), seventh);
    EXPECT_TRUE(items().handles[0]->isVisible()) << "round the current image";
    EXPECT_TRUE(s.freeze.objectsAdded);
    s.currentText = 3;
    offer(QStringLiteral("lost"), {}, false);
    paste();
    EXPECT_EQ(s.currentText, 3);
    for (CanvasLabel* text : items().texts)
        EXPECT_NE(text->caption(), QStringLiteral("lost"));
}

}  // namespace
}  // namespace qv::shell::capturetests
