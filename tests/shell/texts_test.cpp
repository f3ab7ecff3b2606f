// Texts on the frozen screen: the Text Options window that adds and edits them, the font and
// colour dialogs it calls, and what the mouse does to a text.
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "objects/fontchoice.h"
#include "objects/objectspalette.h"
#include "objects/textoptionsdialog.h"
#include "shell/capture_fixture.h"
#include "toolkit/colors.h"

namespace qv::shell::capturetests {
namespace {

using objects::FontStyle;
using objects::TextOptionsDialog;

class TextsTest : public AreaTest {
protected:
    TextsTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    objects::ObjectsPalette& palette() {
        mainWindow().addObjectItem->trigger();
        return prog.objectsWindows().objectsPalette.get();
    }
    // Text Options as the text button opens it.
    TextOptionsDialog& openNew() {
        palette().textButton->click();
        return *prog.objectsWindows().textOptions.peek();
    }
    TextOptionsDialog* shown() { return prog.objectsWindows().textOptions.peek(); }
    CanvasLabel* current() { return items().texts[objectsState().currentText]; }
    // A text added with the dialog as it opens, after edit runs on it.
    CanvasLabel* addText(const std::function<void(TextOptionsDialog&)>& edit = {}) {
        TextOptionsDialog& dialog = openNew();
        if (edit)
            edit(dialog);
        dialog.okButton->click();
        return current();
    }
    QRect pixelsOf(const CanvasItem& item) { return picture()->toPixels(item.geometry()); }
    int usedTexts() {
        return int(std::count_if(items().texts.begin(), items().texts.end(),
                                 [](auto* t) { return t->isVisible(); }));
    }
};

TEST_F(TextsTest, TheWindowOpensOnTheDefaultsTheRecordOrTheEditedText) {
    auto& s = objectsState();
    auto& record = s.textDefaults;
    // A text to edit: opaque blue on yellow, italic, 14 points.
    CanvasLabel* edited = addText();
    edited->setCaption(QStringLiteral("two\nlines"));
    edited->setFont(FontStyle{QStringLiteral("Serif"), 14, false, true, false, true, 0}.font());
    edited->setTextColor(Qt::blue);
    edited->setOpaque(true);
    edited->setBackgroundColor(Qt::yellow);

    struct Row {
        const char* name;
        bool remember, stored, currentOpaque, editMode;
        QString text;
        FontStyle style;
        bool transparent;
        QColor background;  // invalid: the window's own colour
    };
    const FontStyle defaults{QApplication::font().family(), 10, true, false, false, false, 0xff};
    const FontStyle remembered{
        QStringLiteral("Monospace"), 12, false, false, true, false, 0x00ff00};
    const FontStyle ofText{QStringLiteral("Serif"), 14, false, true, false, true, 0xff0000};
    const Row rows[] = {
        {"no remember", false, true, true, false, "Your text here", defaults, true, {}},
        {"remember, never stored", true, false, true, false, "Your text here", defaults, true, {}},
        {"remember, transparent text",
         true,
         true,
         false,
         false,
         "Your text here",
         remembered,
         true,
         {}},
        {"remember, opaque text", true, true, true, false, "Your text here", remembered, false,
         QColor(Qt::cyan)},
        {"edit mode", false, true, true, true, "two\nlines", ofText, false, QColor(Qt::yellow)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        record = {};
        record.remember = row.remember;
        if (row.stored) {
            record.fontName = remembered.name;
            record.fontSize = 12;
            record.underline = true;
            record.foreColor = 0x00ff00;
            record.backColor = 0xffff00;  // cyan
        }
        edited->setOpaque(row.currentOpaque);
        s.currentText = 0;
        s.textEditMode = row.editMode;
        if (row.editMode)
            mainWindow().editTextItem->trigger();
        else
            palette().textButton->click();
        TextOptionsDialog& dialog = *shown();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Text Options"));
        EXPECT_TRUE(objectsState().freeze.textOptionsOpen);
        EXPECT_EQ(dialog.previewEdit->toPlainText(), row.text);
        const FontStyle& style = dialog.previewStyle();
        EXPECT_EQ(style.name, row.style.name);
        EXPECT_EQ(style.size, row.style.size);
        EXPECT_EQ(style.bold, row.style.bold);
        EXPECT_EQ(style.italic, row.style.italic);
        EXPECT_EQ(style.underline, row.style.underline);
        EXPECT_EQ(style.strikeout, row.style.strikeout);
        EXPECT_EQ(style.color, row.style.color);
        EXPECT_EQ(dialog.rememberBox->isChecked(), row.remember);
        EXPECT_EQ(dialog.transparentBox->isChecked(), row.transparent);
        EXPECT_EQ(dialog.backColorButton->isEnabled(), !row.transparent);
        const QColor own = dialog.palette().color(QPalette::Window);
        EXPECT_EQ(dialog.previewBackground(), row.background.isValid() ? row.background : own);
        EXPECT_EQ(dialog.previewEdit->palette().color(QPalette::Base), dialog.previewBackground());
        EXPECT_EQ(dialog.previewEdit->palette().color(QPalette::Text),
                  toolkit::colorFromValue(row.style.color));
        dialog.cancelButton->click();
        EXPECT_FALSE(s.textEditMode);
        EXPECT_EQ(edited->caption(), QStringLiteral("two\nlines")) << "Cancel changes no text";
        EXPECT_EQ(shown(), nullptr);
    }
}

TEST_F(TextsTest, OkAddsTheTextBelowThePaletteFramedAndStoresTheRecordOnlyWithTheFlag) {
    settings().autoPopupMenu = true;
    auto& s = objectsState();
    CanvasLabel* text = addText([](TextOptionsDialog& d) {
        d.previewEdit->setPlainText(QStringLiteral("first\nsecond line"));
    });
    EXPECT_EQ(text, items().texts[0]);
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(text->caption(), QStringLiteral("first\nsecond line"));
    EXPECT_EQ(text->geometry().topLeft(), s.newObjectPos);
    EXPECT_FALSE(text->opaque()) << "transparent by default";
    EXPECT_TRUE(text->font().bold());
    EXPECT_EQ(text->font().pointSizeF(), 10);
    EXPECT_EQ(text->textColor(), QColor(Qt::red));
    EXPECT_EQ(items().textFrame->geometry(), text->geometry());
    EXPECT_TRUE(items().textFrame->isVisible());
    EXPECT_TRUE(s.freeze.objectsAdded);
    EXPECT_EQ(shown(), nullptr);
    EXPECT_FALSE(s.freeze.textOptionsOpen);
    EXPECT_FALSE(s.textDefaults.fontName) << "no record without the flag";
    EXPECT_EQ(fake.dialogs().messages.size(), 1u) << "the notice, once";

    // Two lines are as high as two single ones; the box is as wide as the longer line.
    CanvasLabel* single = addText(
        [](TextOptionsDialog& d) { d.previewEdit->setPlainText(QStringLiteral("second line")); });
    EXPECT_EQ(single->width(), text->width());
    EXPECT_GT(text->height(), 1.8 * single->height());
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);

    addText([](TextOptionsDialog& d) { d.rememberBox->setChecked(true); });
    EXPECT_TRUE(s.textDefaults.remember);
    EXPECT_EQ(s.textDefaults.fontName, QApplication::font().family());
    EXPECT_EQ(s.textDefaults.fontSize, 10);
    EXPECT_EQ(s.textDefaults.foreColor, 0xff);
    EXPECT_TRUE(s.textDefaults.bold);
    EXPECT_EQ(s.textDefaults.backColor, toolkit::colorValue(QPalette().color(QPalette::Window)))
        << "the window's colour while transparent";

    // The flag changes at once; Cancel does not undo it.
    openNew().rememberBox->setChecked(false);
    shown()->cancelButton->click();
    EXPECT_FALSE(s.textDefaults.remember);
}

TEST_F(TextsTest, BackColoursAreKeptApartFromNoneAndReachReusedElements) {
    auto& s = objectsState();
    CanvasLabel* first = addText();
    ASSERT_FALSE(first->opaque());
    s.currentText = 0;
    mainWindow().deleteTextItem->trigger();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->caption(), QStringLiteral("Label"));
    EXPECT_TRUE(s.freeze.objectsDeleted);

    // Unchecked without a chosen colour: white, on the element that was transparent.
    CanvasLabel* opaque =
        addText([](TextOptionsDialog& d) { d.transparentBox->setChecked(false); });
    EXPECT_EQ(opaque, first) << "the freed index is taken again";
    EXPECT_TRUE(opaque->opaque());
    EXPECT_EQ(opaque->backgroundColor(), QColor(Qt::white));

    // Black chosen is black, also after "Backstyle transparent" is checked and unchecked.
    TextOptionsDialog& dialog = openNew();
    dialog.transparentBox->setChecked(false);
    fake.dialogs().colors.push_back(QColor(Qt::black));
    QColorDialog::setCustomColor(3, Qt::blue);
    dialog.backColorButton->click();
    EXPECT_EQ(fake.dialogs().colorRequests.back(), QColor(Qt::black)) << "opens on black";
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        EXPECT_EQ(QColorDialog::customColor(i), QColor(Qt::white)) << i;
    EXPECT_EQ(s.textBackColor, 0);
    dialog.transparentBox->setChecked(true);
    EXPECT_FALSE(dialog.backColorButton->isEnabled());
    dialog.transparentBox->setChecked(false);
    EXPECT_EQ(dialog.previewBackground(), QColor(Qt::black));
    fake.dialogs().colors.push_back(std::nullopt);
    dialog.backColorButton->click();
    EXPECT_EQ(dialog.previewBackground(), QColor(Qt::black)) << "no colour, no change";
    dialog.okButton->click();
    EXPECT_EQ(current()->backgroundColor(), QColor(Qt::black));
    EXPECT_TRUE(current()->opaque());
}

TEST_F(TextsTest, EditModeEditsOnlyAShownTextAndAFullPoolKeepsTheWindowOpen) {
    auto& s = objectsState();
    CanvasLabel* text = addText();
    const QPointF place = text->geometry().topLeft();
    text->move(3000, 3000);
    mainWindow().editTextItem->trigger();
    shown()->previewEdit->setPlainText(QStringLiteral("edited"));
    shown()->okButton->click();
    EXPECT_EQ(text->caption(), QStringLiteral("edited"));
    EXPECT_EQ(text->geometry().topLeft(), QPointF(3000, 3000)) << "stays where it is";
    EXPECT_EQ(usedTexts(), 1);
    EXPECT_FALSE(s.textEditMode);

    // Reopening while shown keeps what was typed.
    openNew().previewEdit->setPlainText(QStringLiteral("typed"));
    palette().textButton->click();
    EXPECT_EQ(shown()->previewEdit->toPlainText(), QStringLiteral("typed"));
    shown()->close();
    flushDrops();
    EXPECT_EQ(shown(), nullptr) << "the close box drops the window";

    // Edit mode on a text deleted meanwhile adds a new text instead.
    mainWindow().editTextItem->trigger();
    mainWindow().deleteTextItem->trigger();
    shown()->previewEdit->setPlainText(QStringLiteral("not lost"));
    shown()->okButton->click();
    EXPECT_EQ(current(), items().texts[0]) << "the freed index, as a new text";
    EXPECT_TRUE(current()->isVisible());
    EXPECT_EQ(current()->caption(), QStringLiteral("not lost"));
    EXPECT_EQ(current()->geometry().topLeft(), place) << "at the placement point";
    EXPECT_EQ(usedTexts(), 1);
}

TEST_F(TextsTest, AFullPoolTellsTheUserAndKeepsTheTypedText) {
    for (CanvasLabel* text : items().texts)
        text->show();
    objectsState().currentText = 7;
    TextOptionsDialog& dialog = openNew();
    dialog.previewEdit->setPlainText(QStringLiteral("keep me"));
    dialog.okButton->click();
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().messages[0].text, QStringLiteral("No more texts can be added !"));
    EXPECT_EQ(fake.dialogs().messages[0].title, QStringLiteral("Quorvalline"));
    EXPECT_EQ(shown(), &dialog);
    EXPECT_EQ(dialog.previewEdit->toPlainText(), QStringLiteral("keep me"));
    EXPECT_FALSE(objectsState().freeze.objectsAdded);
    EXPECT_EQ(objectsState().currentText, 7);
}

TEST_F(TextsTest, APressFramesTheTextADragKeepsTheGrabPointOnTheCanvas) {
    CanvasLabel* other = addText();
    CanvasLabel* text = addText();
    text->move(600 * 15, 300 * 15);
    other->move(100 * 15, 100 * 15);
    const QRect box = pixelsOf(*text);
    const QPoint grab = box.topLeft() + QPoint(3, 2);
    press(grab);
    EXPECT_EQ(items().textFrame->geometry(), text->geometry());
    EXPECT_TRUE(items().textFrame->isVisible());
    EXPECT_EQ(picture()->items().back().get(), items().texts[1]) << "brought to the front";
    EXPECT_TRUE(objectsState().textDragging);
    move({5000, 900});  // far beyond the right and bottom edges
    const QSize canvas = picture()->pixelSize();
    EXPECT_EQ(text->left(), (canvas.width() - 3) * 15);
    EXPECT_EQ(text->top(), (canvas.height() - 2) * 15);
    EXPECT_EQ(items().textFrame->geometry(), text->geometry());
    release({5000, 900});
    EXPECT_FALSE(objectsState().textDragging);

    // A move over another text sets the current text's pointer.
    text->setMousePointer(0);
    move(pixelsOf(*other).center());
    EXPECT_EQ(text->mousePointer(), 15);
    EXPECT_EQ(other->mousePointer(), 0);

    // A right press: current, no frame, no drag, the text menu.
    answerNextMenu();
    press(pixelsOf(*other).center(), Qt::RightButton);
    EXPECT_EQ(popped, mainWindow().textPopup);
    EXPECT_EQ(current(), other);
    EXPECT_FALSE(items().textFrame->isVisible());
    EXPECT_FALSE(objectsState().textDragging);

    // A double click waits before capturing, framed or not.
    for (bool framed : {true, false}) {
        if (framed) {
            press(pixelsOf(*other).center());
            release(pixelsOf(*other).center());
        }
        EXPECT_EQ(items().textFrame->isVisible(), framed);
        fake.clock().sleeps.clear();
        send(QEvent::MouseButtonDblClick, pixelsOf(*other).center(), Qt::LeftButton);
        release(pixelsOf(*other).center());
        EXPECT_EQ(fake.clock().sleeps, std::vector<int>{300});
        EXPECT_FALSE(items().textFrame->isVisible());
    }
}

TEST_F(TextsTest, TheFontDialogStartsOnTheWholeSizeAndAppliesTheChoice) {
    const std::pair<int, int> sizes[] = {{100, 10}, {105, 10}, {115, 12},
                                         {150, 15}, {720, 72}, {1000, 100}};
    for (const auto& [tenths, points] : sizes)
        EXPECT_EQ(objects::startPointSize(tenths), points) << tenths;

    FontStyle first{QStringLiteral("Serif"), 10.5, true, false, false, false, 0xff};
    FontStyle second = first;
    auto& dialogs = fake.dialogs();
    objects::showFontDialog(first, second, 105, nullptr, {QStringLiteral("Serif")});
    ASSERT_EQ(dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(dialogs.fontRequests[0].font.pointSizeF(), 10);
    EXPECT_TRUE(dialogs.fontRequests[0].font.bold());
    EXPECT_EQ(dialogs.fontRequests[0].color, QColor(Qt::red));
    EXPECT_EQ(first.size, 10.5) << "Cancel changes nothing";
    EXPECT_TRUE(dialogs.messages.empty());

    QFont chosen(QStringLiteral("Monospace"));
    chosen.setPointSizeF(14.25);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    dialogs.fonts.push_back(platform::FontChoice{chosen, QColor(Qt::blue)});
    objects::showFontDialog(first, second, 105, nullptr, {QStringLiteral("Serif")});
    EXPECT_EQ(first.name, QStringLiteral("Monospace"));
    EXPECT_EQ(first.size, 14.2) << "whole tenths, halves to even";
    EXPECT_FALSE(first.bold) << "a regular choice makes the first target regular";
    EXPECT_TRUE(first.italic);
    EXPECT_TRUE(first.underline);
    EXPECT_EQ(first.color, 0xff0000);
    EXPECT_TRUE(second.bold) << "the second target only gains styles";
    EXPECT_TRUE(second.italic);
    EXPECT_EQ(second.size, 14.2);
    EXPECT_EQ(second.color, 0xff0000);

    objects::showFontDialog(first, second, 100, nullptr, {});
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("No Fonts Available"));
    EXPECT_EQ(dialogs.fontRequests.size(), 2u) << "no dialog without fonts";

    // Through the window: the preview takes the choice, OK copies it.
    dialogs.fonts.push_back(platform::FontChoice{chosen, QColor(Qt::blue)});
    CanvasLabel* text = addText([](TextOptionsDialog& d) { d.fontsButton->click(); });
    EXPECT_EQ(dialogs.fontRequests.back().font.pointSizeF(), 10);
    EXPECT_EQ(text->font().family(), QStringLiteral("Monospace"));
    EXPECT_EQ(text->font().pointSizeF(), 14.2);
    EXPECT_TRUE(text->font().italic());
    EXPECT_FALSE(text->font().bold()) << "one object as both targets ends with the choice";
    EXPECT_EQ(text->textColor(), QColor(Qt::blue));
}

TEST_F(TextsTest, TextsAreDrawnWithoutBackgroundWhenTransparentAndCapturedAsShown) {
    QImage white(300, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    picture()->setPicture(white);
    CanvasLabel* text = addText(
        [](TextOptionsDialog& d) { d.previewEdit->setPlainText(QStringLiteral("Bold\nunder")); });
    QFont font = text->font();
    font.setUnderline(true);
    font.setItalic(true);
    text->setFont(font);
    text->move(40 * 15, 30 * 15);
    objects::clearPositionItems(items());
    const QRect box = pixelsOf(*text);
    const QImage whole = picture()->render(QRect(0, 0, 300, 200));
    int red = 0;
    int white_ = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            (whole.pixel(x, y) == qRgb(255, 255, 255) ? white_ : red) += 1;
    EXPECT_GT(red, 20) << "letters drawn";
    EXPECT_GT(white_, red) << "no background";
    for (const QRect band : {box, box.adjusted(5, 3, -7, -4), QRect(box.left() + 9, 0, 3, 200)})
        EXPECT_EQ(picture()->render(band), whole.copy(band));

    text->setOpaque(true);
    text->setBackgroundColor(Qt::green);
    EXPECT_EQ(picture()->render(QRect(box.topLeft(), QSize(1, 1))).pixel(0, 0),
              QColor(Qt::green).rgb());
}

}  // namespace
}  // namespace qv::shell::capturetests
