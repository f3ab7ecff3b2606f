// Shape Options and Line Options: driven through their widgets over a frozen screen, with the
// fake colour dialog, clock and locale.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "objects/lineoptionsdialog.h"
#include "objects/objectspalette.h"
#include "objects/shapeoptionsdialog.h"
#include "shell/capture_fixture.h"
#include "toolkit/colors.h"

namespace qv::shell::capturetests {
namespace {

using objects::LineOptionsDialog;
using objects::ShapeOptionsDialog;

class OptionsTest : public AreaTest {
protected:
    OptionsTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    objects::ObjectsPalette& palette() {
        mainWindow().addObjectItem->trigger();
        return prog.objectsWindows().objectsPalette.get();
    }
    CanvasShape* addShape(QToolButton* objects::ObjectsPalette::*button) {
        (palette().*button)->click();
        return items().shapes[objectsState().currentShape];
    }
    CanvasLine* addLine(bool arrow) {
        (arrow ? palette().arrowButton : palette().lineButton)->click();
        return items().lines[objectsState().currentLine];
    }
    ShapeOptionsDialog& openShapeOptions() {
        mainWindow().shapeOptionsItem->trigger();
        return *prog.objectsWindows().shapeOptions.peek();
    }
    LineOptionsDialog& openLineOptions() {
        mainWindow().lineOptionsItem->trigger();
        return *prog.objectsWindows().lineOptions.peek();
    }
    static void activate(QWidget& window) {
        QEvent event(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &event);
    }
    QRect pixelsOf(const CanvasItem& item) { return picture()->toPixels(item.geometry()); }
};

TEST_F(OptionsTest, TheWidthBoxEndsAsAWidthFrom1To99OrKeepsANegativeNumberInBothLocales) {
    struct Row {
        const char* separator;
        const char* typed;
        const char* text;  // what the box ends with
        int width;         // of the preview; 5 is what it had
        bool stylesEnabled;
    };
    const Row rows[] = {
        {".", "abc", "1", 1, true},
        {".", "", "1", 1, true},
        {".", "0", "1", 1, true},
        {".", "0.0", "1", 1, true},
        {".", "150", "99", 99, false},
        {".", "1", "1", 1, true},
        {".", "2", "2", 2, false},
        {".", "1.5", "1.5", 2, false},
        {".", "2.5", "2.5", 2, false},
        {".", "-3", "-3", 5, false},
        {".", "0.4", "0.4", 1, true},
        {".", ".5", ".5", 1, true},
        {",", "abc", "1", 1, true},
        {",", "", "1", 1, true},
        {",", "0,0", "1", 1, true},
        {",", "150", "99", 99, false},
        {",", "2", "2", 2, false},
        {",", "-3", "-3", 5, false},
        // The value is read up to the first character that is not '.', so "1,5" is a 1.
        {",", "1,5", "1,5", 1, true},
    };
    CanvasShape* shape = addShape(&objects::ObjectsPalette::rectangleButton);
    shape->setBorderWidth(5);
    CanvasLine* line = addLine(true);
    line->setBorderWidth(5);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.separator) + " " + row.typed);
        fake.locale().separator = QString::fromLatin1(row.separator);
        {
            ShapeOptionsDialog& dialog = openShapeOptions();
            EXPECT_EQ(dialog.widthEdit->text(), QStringLiteral("5"));
            dialog.widthEdit->setText(QString::fromLatin1(row.typed));
            EXPECT_EQ(dialog.widthEdit->text(), QString::fromLatin1(row.text));
            EXPECT_EQ(dialog.previewStyle().borderWidth, row.width);
            EXPECT_EQ(dialog.dashButton->isEnabled(), row.stylesEnabled);
            dialog.cancelButton->click();
        }
        {
            LineOptionsDialog& dialog = openLineOptions();
            dialog.widthEdit->setText(QString::fromLatin1(row.typed));
            EXPECT_EQ(dialog.widthEdit->text(), QString::fromLatin1(row.text));
            for (const CanvasLine* preview :
                 {&dialog.previewShaft(), &dialog.previewStroke(1), &dialog.previewStroke(2)})
                EXPECT_EQ(preview->borderWidth(), row.width);
            EXPECT_EQ(dialog.dottedButton->isEnabled(), row.stylesEnabled);
            dialog.cancelButton->click();
        }
        flushDrops();
    }
    EXPECT_EQ(shape->borderWidth(), 5) << "Cancel leaves the shape";
    EXPECT_EQ(line->borderWidth(), 5);
}

TEST_F(OptionsTest, ShapeOptionsShowsEveryPropertyOfTheShape) {
    struct Row {
        const char* name;
        QToolButton* objects::ObjectsPalette::*figure;
        int kind;
        bool opaque;
        int borderStyle;
        int width;
        int fillStyle;
        QRadioButton* ShapeOptionsDialog::*borderButton;  // null: none selected
    };
    const Row rows[] = {
        {"rectangle, opaque, dash", &objects::ObjectsPalette::rectangleButton, 0, true, 2, 1, 0,
         &ShapeOptionsDialog::dashButton},
        {"rounded, transparent, dotted", &objects::ObjectsPalette::roundedRectangleButton, 4, false,
         3, 1, 7, &ShapeOptionsDialog::dottedButton},
        {"ellipse, wide", &objects::ObjectsPalette::ellipseButton, 2, true, 1, 7, 4,
         &ShapeOptionsDialog::solidButton},
        {"circle, a style outside the group", &objects::ObjectsPalette::circleButton, 3, false, 5,
         1, 2, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CanvasShape* shape = addShape(row.figure);
        shape->setOpaque(row.opaque);
        shape->setBackColor(Qt::yellow);
        shape->setBorderColor(Qt::blue);
        shape->setBorderStyle(CanvasShape::BorderStyle(row.borderStyle));
        shape->setBorderWidth(row.width);
        shape->setFillColor(Qt::green);
        shape->setFillStyle(row.fillStyle);
        ShapeOptionsDialog& dialog = openShapeOptions();
        const objects::ShapeStyle style = dialog.previewStyle();
        EXPECT_EQ(style.shape, row.kind);
        EXPECT_EQ(style.opaque, row.opaque);
        EXPECT_EQ(style.backColor, QColor(Qt::yellow));
        EXPECT_EQ(style.borderColor, QColor(Qt::blue));
        EXPECT_EQ(style.fillColor, QColor(Qt::green));
        EXPECT_EQ(style.fillStyle, row.fillStyle);
        EXPECT_EQ(dialog.widthEdit->text(), QString::number(row.width));
        EXPECT_EQ(dialog.opaqueButton->isChecked(), row.opaque);
        EXPECT_EQ(dialog.transparentButton->isChecked(), !row.opaque);
        EXPECT_EQ(dialog.backColorButton->isEnabled(), row.opaque);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(dialog.fillButtons[i]->isChecked(), i == row.fillStyle) << i;
        for (QRadioButton* ShapeOptionsDialog::*button :
             {&ShapeOptionsDialog::solidButton, &ShapeOptionsDialog::dashButton,
              &ShapeOptionsDialog::dottedButton})
            EXPECT_EQ((dialog.*button)->isChecked(), button == row.borderButton);
        // Choosing the back style switches "Back Color..." too.
        dialog.transparentButton->click();
        EXPECT_FALSE(dialog.backColorButton->isEnabled());
        EXPECT_FALSE(dialog.previewStyle().opaque);
        dialog.opaqueButton->click();
        EXPECT_TRUE(dialog.backColorButton->isEnabled());
        dialog.cancelButton->click();
        flushDrops();
        EXPECT_EQ(shape->opaque(), row.opaque) << "Cancel leaves the shape";
    }
}

TEST_F(OptionsTest, OkRestylesTheShapePausesAndCapturesTheAreaWithIt) {
    drag({10, 10}, {1000, 700});
    CanvasShape* shape = addShape(&objects::ObjectsPalette::rectangleButton);
    shape->move(300 * 15, 300 * 15);
    ShapeOptionsDialog& dialog = openShapeOptions();
    EXPECT_TRUE(objectsState().freeze.shapeOptionsOpen);
    fake.dialogs().colors = {QColor(Qt::blue), QColor(Qt::yellow), QColor(Qt::green)};
    dialog.borderColorButton->click();
    dialog.opaqueButton->click();
    dialog.backColorButton->click();
    dialog.fillButtons[6]->click();
    dialog.fillColorButton->click();
    dialog.widthEdit->setText(QStringLiteral("3"));
    EXPECT_EQ(fake.dialogs().colorRequests, std::vector<QColor>(3, QColor(Qt::black)));
    fake.clock().sleeps.clear();
    dialog.okButton->click();
    flushDrops();

    EXPECT_EQ(prog.objectsWindows().shapeOptions.peek(), nullptr) << "OK drops the window";
    EXPECT_FALSE(objectsState().freeze.shapeOptionsOpen);
    EXPECT_FALSE(objectsState().freeze.shapeColorDialogOpen);
    ASSERT_FALSE(fake.clock().sleeps.empty());
    EXPECT_EQ(fake.clock().sleeps.front(), 500) << "the pause comes before the capture";
    const objects::ShapeStyle applied = objects::ShapeStyle::of(*shape);
    EXPECT_EQ(applied.borderColor, QColor(Qt::blue));
    EXPECT_TRUE(applied.opaque);
    EXPECT_EQ(applied.backColor, QColor(Qt::yellow));
    EXPECT_EQ(applied.fillStyle, 6);
    EXPECT_EQ(applied.fillColor, QColor(Qt::green));
    EXPECT_EQ(applied.borderWidth, 3);
    // The capture holds the new border: three blue pixels from the outer edge.
    const QRect ring = pixelsOf(*shape).translated(-11, -11);
    const QRect outer = CanvasShape::outerBorderBox(ring, 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(buffer().pixelColor(outer.left() + k, outer.center().y()), QColor(Qt::blue));
    EXPECT_NE(buffer().pixelColor(outer.left() + 3, outer.center().y()), QColor(Qt::blue));
    EXPECT_EQ(buffer(), picture()->render(QRect(11, 11, 988, 688), [&](const CanvasItem& item) {
        return !objects::isPositionItem(items(), item);
    }));
}

TEST_F(OptionsTest, OkRemembersOnlyForTheShapesKindAndTheBoxActsAtOnce) {
    auto& s = objectsState();
    CanvasShape* rounded = addShape(&objects::ObjectsPalette::roundedRectangleButton);
    ShapeOptionsDialog* dialog = &openShapeOptions();
    EXPECT_FALSE(dialog->rememberBox->isChecked());
    dialog->rememberBox->click();
    EXPECT_TRUE(s.roundRectDefaults.remember);
    dialog->cancelButton->click();
    flushDrops();
    EXPECT_TRUE(s.roundRectDefaults.remember) << "Cancel keeps the flag";
    EXPECT_FALSE(s.roundRectDefaults.borderWidth) << "and stores nothing";
    EXPECT_EQ(addShape(&objects::ObjectsPalette::roundedRectangleButton)->borderWidth(), 2)
        << "a record never stored leaves the defaults";

    s.currentShape = qint16(std::find(items().shapes.begin(), items().shapes.end(), rounded) -
                            items().shapes.begin());
    dialog = &openShapeOptions();
    EXPECT_TRUE(dialog->rememberBox->isChecked());
    dialog->widthEdit->setText(QStringLiteral("1.5"));
    dialog->fillButtons[3]->click();
    dialog->okButton->click();
    flushDrops();
    EXPECT_EQ(s.roundRectDefaults.borderWidth, 1.5) << "the width as typed";
    EXPECT_EQ(s.roundRectDefaults.fillStyle, qint16(3));
    EXPECT_EQ(s.roundRectDefaults.borderColor, qint64(0x0000ff));
    for (const objects::ShapeDefaults* other :
         {&s.rectangleDefaults, &s.ellipseDefaults, &s.circleDefaults}) {
        EXPECT_FALSE(other->remember);
        EXPECT_FALSE(other->borderWidth);
    }
    CanvasShape* next = addShape(&objects::ObjectsPalette::roundedRectangleButton);
    EXPECT_EQ(next->borderWidth(), 2);
    EXPECT_EQ(next->fillStyle(), 3);

    // Clearing the box and checking it later brings the stored style back.
    dialog = &openShapeOptions();
    dialog->rememberBox->click();
    EXPECT_FALSE(s.roundRectDefaults.remember);
    dialog->cancelButton->click();
    flushDrops();
    EXPECT_EQ(addShape(&objects::ObjectsPalette::roundedRectangleButton)->fillStyle(), 1);
    dialog = &openShapeOptions();
    dialog->rememberBox->click();
    dialog->close();  // the close box, like Cancel, keeps the flag
    flushDrops();
    EXPECT_EQ(prog.objectsWindows().shapeOptions.peek(), nullptr) << "the close box unloads";
    EXPECT_FALSE(s.freeze.shapeOptionsOpen);
    EXPECT_EQ(addShape(&objects::ObjectsPalette::roundedRectangleButton)->fillStyle(), 3);
}

TEST_F(OptionsTest, AnActivationRefillsThePreviewUntilAColourButtonIsUsed) {
    auto& s = objectsState();
    CanvasShape* shape = addShape(&objects::ObjectsPalette::rectangleButton);
    const struct {
        const char* name;
        std::optional<QColor> colour;  // the colour dialog's answer; none: no dialog
        bool kept;
    } rows[] = {
        {"no colour dialog", std::nullopt, false},
        {"colour chosen", QColor(Qt::blue), true},
        {"colour dialog cancelled", QColor(), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShapeOptionsDialog& dialog = openShapeOptions();
        dialog.fillButtons[5]->click();
        if (row.colour) {
            fake.dialogs().colors = {row.colour->isValid() ? row.colour : std::nullopt};
            dialog.fillColorButton->click();
            EXPECT_TRUE(s.freeze.shapeColorDialogOpen);
        }
        activate(*palette().window());
        activate(dialog);
        EXPECT_EQ(dialog.previewStyle().fillStyle, row.kept ? 5 : 1);
        EXPECT_EQ(dialog.previewStyle().fillColor,
                  row.colour && row.colour->isValid() ? *row.colour : QColor(Qt::red));
        dialog.cancelButton->click();
        flushDrops();
        EXPECT_FALSE(s.freeze.shapeColorDialogOpen);
        EXPECT_EQ(shape->fillStyle(), 1);
    }
}

TEST_F(OptionsTest, AfterAReleaseTheSameWindowRefillsFromTheNewShapeAndKeepsItsRememberBox) {
    addShape(&objects::ObjectsPalette::rectangleButton);
    ShapeOptionsDialog* dialog = &openShapeOptions();
    dialog->rememberBox->click();
    mainWindow().releaseItem->trigger();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(objectsState().freeze.shapeOptionsOpen);
    flushDrops();
    freeze();
    CanvasShape* circle = addShape(&objects::ObjectsPalette::circleButton);
    circle->setFillStyle(4);
    EXPECT_EQ(&openShapeOptions(), dialog) << "the same window shows again";
    EXPECT_TRUE(objectsState().freeze.shapeOptionsOpen);
    activate(*dialog);
    EXPECT_EQ(dialog->previewStyle().shape, int(CanvasShape::Circle));
    EXPECT_EQ(dialog->previewStyle().fillStyle, 4);
    EXPECT_TRUE(dialog->rememberBox->isChecked());
    EXPECT_FALSE(objectsState().circleDefaults.remember);
    dialog->okButton->click();
    flushDrops();
    EXPECT_EQ(circle->fillStyle(), 4);
}

}  // namespace
}  // namespace qv::shell::capturetests
