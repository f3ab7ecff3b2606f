#include "output/printing/pageform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "output/printing/pagecontrols.h"
#include "output/printing/pagesetuprecords.h"

namespace qv::output {

WaitPointer::WaitPointer(QWidget& window) : window_(window) {
    window_.setCursor(Qt::WaitCursor);
}

WaitPointer::~WaitPointer() {
    window_.unsetCursor();
}

PrinterSettings makePrinterSettings(QWidget* parent, const QString& title,
                                    const QString& printerCaption) {
    PrinterSettings s;
    s.group = new QGroupBox(title, parent);
    s.printerLabel = new QLabel(printerCaption, s.group);
    s.printerNameLabel = new QLabel(s.group);
    s.alignmentLabel = new QLabel(QStringLiteral("Picture Alignment:"), s.group);
    s.alignmentCombo = new QComboBox(s.group);
    s.alignmentCombo->addItems(alignmentNames());
    s.alignmentCombo->setCurrentIndex(0);
    auto* grid = new QGridLayout(s.group);
    grid->addWidget(s.printerLabel, 0, 0);
    grid->addWidget(s.printerNameLabel, 0, 1);
    grid->addWidget(s.alignmentLabel, 1, 0);
    grid->addWidget(s.alignmentCombo, 1, 1);
    return s;
}

QVBoxLayout* makePageColumn(QGroupBox* settings, const PageControls& controls) {
    auto* column = new QVBoxLayout;
    column->addWidget(settings);
    auto* orientationAndCopies = new QHBoxLayout;
    orientationAndCopies->addWidget(controls.orientationGroup);
    orientationAndCopies->addWidget(controls.copiesGroup);
    column->addLayout(orientationAndCopies);
    column->addWidget(controls.marginsGroup);
    return column;
}

void showPrinterError(QLabel& label, bool usable) {
    label.clear();
    if (!usable) {
        // The line stays red: a later empty text needs no colour.
        label.setStyleSheet(QStringLiteral("color: red"));
        label.setText(QStringLiteral("   Printer Error !!  "));
    }
}

}  // namespace qv::output
