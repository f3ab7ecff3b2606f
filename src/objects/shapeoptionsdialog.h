#pragma once

#include <QColor>
#include "objects/styleoptionswindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::toolkit {
class CanvasShape;
class FrozenCanvas;
}  // namespace qv::toolkit

namespace qv::objects {

class WidthBox;

// The look of a shape, as the Shape Options window edits it.
struct ShapeStyle {
    int shape = 0;
    bool opaque = false;
    QColor backColor;
    int borderStyle = 1;
    int borderWidth = 1;
    QColor borderColor;
    int fillStyle = 1;
    QColor fillColor;

    static ShapeStyle of(const toolkit::CanvasShape& shape);
    void applyTo(toolkit::CanvasShape& shape) const;
};

// "Shape Options": a tool window over the frozen screen that restyles the current shape on a
// preview drawn as the canvas draws shapes. OK and Cancel drop it and its close box unloads
// it; a release only hides it, so the next opening shows it again as it was left.
class ShapeOptionsDialog : public StyleOptionsWindow {
public:
    ShapeOptionsDialog();
    ~ShapeOptionsDialog() override;

    // Loads the window from the layer's current shape on its first opening, then shows it.
    void openFor(ObjectLayer& layer);

    ShapeStyle previewStyle() const;

    toolkit::FrozenCanvas* previewCanvas;
    QRadioButton* solidButton;
    QRadioButton* dashButton;
    QRadioButton* dottedButton;
    QLineEdit* widthEdit;
    QPushButton* borderColorButton;
    QRadioButton* transparentButton;
    QRadioButton* opaqueButton;
    QPushButton* backColorButton;
    QRadioButton* fillButtons[8];
    QPushButton* fillColorButton;
    QCheckBox* rememberBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void fill(bool loading) override;
    void unload() override;
    void selectBorderStyle(int style);
    void selectBackStyle(int style);
    void selectFillStyle(int style);
    void enableBorderStyles(bool enabled);
    void chooseColor(QColor ShapeStyle::*target);
    void rememberChanged(bool on);
    void accept();
    void leave();

    toolkit::CanvasShape* preview_ = nullptr;
    WidthBox* widthBox_ = nullptr;
};

}  // namespace qv::objects
