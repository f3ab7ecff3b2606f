#pragma once

#include "objects/styleoptionswindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::toolkit {
class CanvasLine;
class FrozenCanvas;
}  // namespace qv::toolkit

namespace qv::objects {

class WidthBox;

// "Line Options": a tool window over the frozen screen that restyles the current line or arrow
// on a preview arrow drawn as the canvas draws lines. OK and Cancel drop it and its close box
// unloads it; a release only hides it, so the next opening shows it again as it was left.
class LineOptionsDialog : public StyleOptionsWindow {
public:
    LineOptionsDialog();
    ~LineOptionsDialog() override;

    // Loads the window from the layer's current line on its first opening, then shows it.
    void openFor(ObjectLayer& layer);

    // The preview: the shaft and the two strokes of its head.
    const toolkit::CanvasLine& previewShaft() const { return *shaft_; }
    const toolkit::CanvasLine& previewStroke(int n) const {
        return *(n == 1 ? stroke1_ : stroke2_);
    }

    toolkit::FrozenCanvas* previewCanvas;
    QRadioButton* solidButton;
    QRadioButton* dashButton;
    QRadioButton* dottedButton;
    QLineEdit* widthEdit;
    QPushButton* colorButton;
    QCheckBox* rememberBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void fill(bool loading) override;
    void unload() override;
    void selectStyle(int style);
    void setWidth(int width);
    void enableStyles(bool enabled);
    void chooseColor();
    void accept();
    void cancel();

    toolkit::CanvasLine* shaft_ = nullptr;
    toolkit::CanvasLine* stroke1_ = nullptr;
    toolkit::CanvasLine* stroke2_ = nullptr;
    WidthBox* widthBox_ = nullptr;
};

}  // namespace qv::objects
