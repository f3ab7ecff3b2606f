#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "objects/fontchoice.h"

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace qv::objects {

class ObjectLayer;

// "Text Options": a tool window over the frozen screen that adds a text at the palette's
// placement point, or edits the current text. Its preview shows the text as it will look.
// OK and Cancel drop it, so that the next opening builds it afresh.
class TextOptionsDialog : public QWidget {
public:
    TextOptionsDialog();

    // Builds the window for the layer's current text unless it is on the screen, where it
    // keeps what the user entered, and shows it.
    void openFor(ObjectLayer& layer);

    // What OK copies to the text: the preview's look, kept here rather than in the box.
    const FontStyle& previewStyle() const { return style_; }
    QColor previewBackground() const { return background_; }

    QGroupBox* optionsFrame;
    QPlainTextEdit* previewEdit;
    QPushButton* fontsButton;
    QPushButton* backColorButton;
    QCheckBox* transparentBox;
    QCheckBox* rememberBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void load();
    // The current text when edit mode may edit it: only a text that is shown.
    bool editsCurrentText() const;
    // Sets the look and "Backstyle transparent" from a text's back style.
    void takeBackStyle(bool opaque, const QColor& back);
    void transparentChanged(bool transparent);
    void chooseFont();
    void chooseBackColor();
    void accept();
    void leave();
    void showPreview();
    QColor dialogColor() const;

    QPointer<ObjectLayer> layer_;
    FontStyle style_;
    QColor background_;
};

}  // namespace qv::objects
