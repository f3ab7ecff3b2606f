// Line Options: filling from a line or an arrow, OK on all three strokes, the shared remember
// flag, and the colour flag Cancel leaves set.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "objects/lineoptionsdialog.h"
#include "objects/objectspalette.h"
#include "shell/capture_fixture.h"

namespace qv::shell::capturetests {
namespace {

using objects::LineOptionsDialog;

class LineOptionsTest : public AreaTest {
protected:
    LineOptionsTest() { settings().autoPopupMenu = false; }

    const objects::ObjectItems& items() { return frozenScreen().objectLayer->items(); }
    objects::State& objectsState() { return prog.objects; }
    CanvasLine* addLine(bool arrow) {
        mainWindow().addObjectItem->trigger();
        auto& palette = prog.objectsWindows().objectsPalette.get();
        (arrow ? palette.arrowButton : palette.lineButton)->click();
        return items().lines[objectsState().currentLine];
    }
    std::vector<CanvasLine*> strokesOf(int i) {
        return {items().lines[i], items().headStrokes1[i], items().headStrokes2[i]};
    }
    LineOptionsDialog& open() {
        mainWindow().lineOptionsItem->trigger();
        return *prog.objectsWindows().lineOptions.peek();
    }
    static std::vector<const CanvasLine*> previewOf(const LineOptionsDialog& dialog) {
        return {&dialog.previewShaft(), &dialog.previewStroke(1), &dialog.previewStroke(2)};
    }
    static void activate(QWidget& window) {
        QEvent event(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &event);
    }
};

TEST_F(LineOptionsTest, OkRestylesAllThreeStrokesAtOnceAndRemembersForItsKindOnly) {
    auto& s = objectsState();
    const struct {
        const char* name;
        bool arrow;
    } rows[] = {{"plain line", false}, {"arrow", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s.lineDefaults = {};
        s.arrowDefaults = {};
        s.rememberLineStyle = false;
        CanvasLine* line = addLine(row.arrow);
        line->setBorderStyle(CanvasShape::Dash);
        line->setBorderColor(Qt::green);
        const int index = s.currentLine;
        LineOptionsDialog& dialog = open();
        EXPECT_TRUE(dialog.dashButton->isChecked());
        EXPECT_EQ(dialog.previewStroke(1).isVisible(), row.arrow);
        EXPECT_EQ(dialog.previewStroke(2).isVisible(), row.arrow);
        EXPECT_EQ(dialog.previewShaft().borderColor(), QColor(Qt::green));
        EXPECT_FALSE(dialog.rememberBox->isChecked());
        dialog.rememberBox->click();
        fake.dialogs().colors = {QColor(Qt::blue)};
        dialog.colorButton->click();
        dialog.widthEdit->setText(QStringLiteral("4.5"));
        for (const CanvasLine* preview : previewOf(dialog)) {
            EXPECT_EQ(preview->borderColor(), QColor(Qt::blue));
            EXPECT_EQ(preview->borderWidth(), 4);
        }
        fake.clock().sleeps.clear();
        dialog.okButton->click();
        flushDrops();
        EXPECT_TRUE(fake.clock().sleeps.empty()) << "no pause before the capture";
        EXPECT_FALSE(s.freeze.lineOptionsOpen);
        EXPECT_FALSE(s.freeze.lineColorDialogOpen);
        for (CanvasLine* stroke : strokesOf(index)) {
            EXPECT_EQ(stroke->borderColor(), QColor(Qt::blue));
            EXPECT_EQ(stroke->borderWidth(), 4);
            EXPECT_EQ(stroke->borderStyle(), CanvasShape::Dash);
        }
        EXPECT_EQ(items().headStrokes1[index]->isVisible(), row.arrow);
        const objects::LineDefaults& stored = row.arrow ? s.arrowDefaults : s.lineDefaults;
        const objects::LineDefaults& untouched = row.arrow ? s.lineDefaults : s.arrowDefaults;
        EXPECT_EQ(stored.borderWidth, 4.5);
        EXPECT_EQ(stored.borderColor, qint64(0xff0000));
        EXPECT_EQ(stored.borderStyle, qint16(CanvasShape::Dash));
        EXPECT_FALSE(untouched.borderWidth);
        // The one flag holds for both kinds; a record never stored leaves the default style.
        CanvasLine* sameKind = addLine(row.arrow);
        EXPECT_EQ(sameKind->borderColor(), QColor(Qt::blue));
        EXPECT_EQ(addLine(!row.arrow)->borderColor(), QColor(Qt::red));
    }
}

TEST_F(LineOptionsTest, AfterACancelTheNextWindowIsFilledOnlyAtLoadUntilAnOk) {
    auto& s = objectsState();
    CanvasLine* first = addLine(false);
    first->setBorderWidth(3);
    LineOptionsDialog* dialog = &open();
    dialog->widthEdit->setText(QStringLiteral("7"));
    dialog->cancelButton->click();
    flushDrops();
    EXPECT_EQ(first->borderWidth(), 3) << "Cancel leaves the line";
    EXPECT_TRUE(s.freeze.lineColorDialogOpen);
    EXPECT_FALSE(s.freeze.lineOptionsOpen);

    dialog = &open();
    EXPECT_EQ(dialog->widthEdit->text(), QStringLiteral("3")) << "filled at load";
    dialog->widthEdit->setText(QStringLiteral("6"));
    CanvasLine* added = addLine(true);  // a new current line while the window is up
    activate(*dialog);
    EXPECT_EQ(dialog->widthEdit->text(), QStringLiteral("6")) << "not refilled";
    EXPECT_FALSE(dialog->previewStroke(1).isVisible());
    dialog->okButton->click();
    flushDrops();
    EXPECT_EQ(added->borderWidth(), 6);
    EXPECT_EQ(first->borderWidth(), 3);
    EXPECT_FALSE(s.freeze.lineColorDialogOpen);

    // With the flag clear again, an activation refills from the line.
    dialog = &open();
    dialog->widthEdit->setText(QStringLiteral("9"));
    activate(*dialog);
    EXPECT_EQ(dialog->widthEdit->text(), QStringLiteral("6"));
    EXPECT_TRUE(dialog->previewStroke(1).isVisible());
    dialog->close();
    flushDrops();
    EXPECT_TRUE(s.freeze.lineColorDialogOpen) << "the close box sets it as Cancel does";
    EXPECT_EQ(prog.objectsWindows().lineOptions.peek(), nullptr);
}

TEST_F(LineOptionsTest, AfterAReleaseTheSameWindowRefillsFromTheNewLine) {
    addLine(false);
    LineOptionsDialog* dialog = &open();
    dialog->rememberBox->click();
    mainWindow().releaseItem->trigger();
    EXPECT_FALSE(objectsState().freeze.lineColorDialogOpen);
    flushDrops();
    freeze();
    objectsState().rememberLineStyle = false;
    CanvasLine* arrow = addLine(true);
    arrow->setBorderWidth(8);
    EXPECT_EQ(&open(), dialog);
    activate(*dialog);
    EXPECT_EQ(dialog->widthEdit->text(), QStringLiteral("8"));
    EXPECT_TRUE(dialog->previewStroke(2).isVisible());
    EXPECT_TRUE(dialog->rememberBox->isChecked()) << "the box keeps its state";
    dialog->cancelButton->click();
}

}  // namespace
}  // namespace qv::shell::capturetests
