#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/units.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace qv::output {

// The margin boxes, the orientation buttons and the copies box with its bar that the printing
// dialogs share. The boxes hold numbers in the locale's form or nothing; the copies box and
// the bar (-1000..-1, minus the count) follow each other. What a change means for the page
// setup is the dialog's: it hears of it through the callbacks.
class PageControls : public QObject {
public:
    // Builds the controls as children of parent, for the parent's layout to place.
    explicit PageControls(QWidget* parent);

    // The unit texts for units; unknown units change nothing.
    void showUnits(std::optional<Units> units);
    // What the margin boxes and the key filter take as the decimal point.
    void setDecimalSeparator(const QString& separator) { separator_ = separator; }

    // The boxes' texts as numbers written back ("07" -> "7").
    Margins normalizedMargins() const;
    // The boxes' texts as they stand.
    Margins typedMargins() const;
    void showMargins(const Margins& margins);

    // A margin box lost the focus (it holds a number by then).
    std::function<void()> marginLeft;
    // An orientation button became set, by the user or by code: "Portrait" or "Landscape".
    std::function<void(const QString&)> orientationChosen;

    QGroupBox* marginsGroup;
    QLabel* leftLabel;
    QLabel* topLabel;
    QLabel* rightLabel;
    QLabel* bottomLabel;
    QLineEdit* leftMarginEdit;
    QLineEdit* topMarginEdit;
    QLineEdit* rightMarginEdit;
    QLineEdit* bottomMarginEdit;
    QLabel* leftUnitLabel;
    QLabel* topUnitLabel;
    QLabel* rightUnitLabel;
    QLabel* bottomUnitLabel;

    QGroupBox* orientationGroup;
    QRadioButton* portraitButton;
    QRadioButton* landscapeButton;

    QGroupBox* copiesGroup;
    QLineEdit* copiesEdit;
    QScrollBar* copiesBar;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dropNonNumber(QLineEdit* box);
    void followCopiesBox();
    QString normalized(const QString& text) const;

    QString separator_ = QStringLiteral(".");
};

// The copies a text asks for: its leading number rounded, 1 below 1 and 1000 above.
int copiesFromText(const QString& text);

}  // namespace qv::output
