#pragma once

#include <QDialog>
#include <QSizeF>
#include <optional>

#include "output/printing/currentpreview.h"
#include "platform/printer.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::output {

class CurrentPreviewView;
class PageControls;

// "Page Setup": margins, orientation, copies and picture position for one print of the
// capture, with a preview of where and how big it prints. OK stores the margins and the
// alignment and drops the window; Cancel drops it; Print prints and only hides it, so the next
// showing keeps its choices until its activation reads the stored margins again.
class PageSetupDialog : public QDialog {
public:
    PageSetupDialog();
    // The window's load: units, stored margins, printer and the first preview.
    void load();
    // Shows the window over the frozen screen; it closes when that goes, as a release drops it
    // with the capture the window previews and prints.
    void showOverFrozenScreen();

    // What happens each time the window becomes active.
    void refreshOnActivation();
    void updatePreview();
    // "Printer Setup...": the system's print dialog for the printer and its settings.
    void setUpPrinter();
    // Prints the capture as the window is set up now; false after an error was shown.
    bool printNow();

    // The printer setup dialog's page in preview units, portrait (shorter, longer); kept
    // until the window is next activated.
    const std::optional<QSizeF>& chosenPortraitPage() const { return chosenPortraitPage_; }

    QGroupBox* settingsGroup;
    QLabel* printerLabel;
    QLabel* printerNameLabel;
    QLabel* alignmentLabel;
    QComboBox* alignmentCombo;
    PageControls* pageControls;
    QLineEdit* leftMarginEdit;
    QLineEdit* topMarginEdit;
    QLineEdit* rightMarginEdit;
    QLineEdit* bottomMarginEdit;
    QLineEdit* copiesEdit;
    QRadioButton* portraitButton;
    QRadioButton* landscapeButton;
    QLabel* previewLabel;
    CurrentPreviewView* previewView;
    QLabel* printerErrorLabel;
    QLabel* printSizeLabel;
    QPushButton* printerSetupButton;
    QPushButton* printButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void readUnitsAndMargins();
    void showPrinterState();
    void chooseAlignment();
    void chooseOrientation(const QString& orientation);
    void takeMargins();
    void takeCopies();
    void store();
    void cancel();
    void print();
    platform::PrintOrientation orientation() const;

    std::optional<QSizeF> chosenPortraitPage_;
    QMetaObject::Connection frozenScreenGone_;
    PreviewMargins previewMargins_;  // what the last preview put the margins at
};

}  // namespace qv::output
