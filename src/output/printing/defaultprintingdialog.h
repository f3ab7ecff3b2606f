#pragma once

#include <QDialog>

#include "output/printing/defaultpreview.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace qv::output {

class DefaultPreviewView;
class PageControls;

// "Default Printing": edits the default page setup that Print to Default Printer uses, with a
// preview of the current printer's page. While it is shown its edits go straight into the
// page setup in memory; Save stores them, Cancel only hides the window.
class DefaultPrintingDialog : public QDialog {
public:
    DefaultPrintingDialog();
    // Fills the window from the stored record and computes the preview; it reaches the page
    // setup's load, which reaches this window, so it runs once the window can be found.
    void load();

    // What happens each time the window becomes active: the printer's name, the locale's
    // units and the stored record again (the boxes keep what they show).
    void refreshOnActivation();
    // Recomputes the preview from the page setup and the printer, and leaves the margins and
    // page Print to Default Printer uses.
    void updatePreview();

    QGroupBox* settingsGroup;
    QLabel* printerLabel;
    QLabel* printerNameLabel;
    QLabel* alignmentLabel;
    QComboBox* alignmentCombo;  // where the picture goes on the page
    PageControls* pageControls;
    QLineEdit* leftMarginEdit;
    QLineEdit* topMarginEdit;
    QLineEdit* rightMarginEdit;
    QLineEdit* bottomMarginEdit;
    QLineEdit* copiesEdit;
    QScrollBar* copiesBar;
    QRadioButton* portraitButton;
    QRadioButton* landscapeButton;
    QLabel* previewLabel;
    DefaultPreviewView* previewView;
    QLabel* printerErrorLabel;
    QFrame* separator;
    QPushButton* saveButton;
    QPushButton* cancelButton;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showLocaleUnits();
    void chooseAlignment();
    void chooseOrientation(const QString& orientation);
    void takeMargins();
    void save();
};

}  // namespace qv::output
