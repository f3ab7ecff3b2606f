#include "output/printing/defaultpagesetup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "output/printing/pagesetuprecords.h"
#include "output/windows.h"

namespace qv::output {

namespace {

void selectItem(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

}  // namespace

void loadDefaultPageSetup() {
    State& out = state();
    DefaultPageSetup& setup = out.defaultPageSetup;
    out.storedUnits = readStoredUnits();
    readLocaleUnits(out);

    if (!defaultRecordExists()) {
        if (const auto margins = firstUseMargins(out.localeUnits))
            setup.margins = *margins;
        setup.copies = QStringLiteral("1");
        setup.orientation = QStringLiteral("Portrait");
        setup.alignment = QStringLiteral("Top Left");
        writeDefaultPageSetup();
        return;
    }

    readDefaultPageSetup();
    // A locale whose units are unknown converts nothing.
    if (out.localeUnits && out.storedUnits != out.localeUnits) {
        out.unitsChanged = true;
        setup.margins = convertedMargins(setup.margins, out.storedUnits, out.decimalSeparator);
        writeDefaultPageSetup();
    }

    DefaultPrintingDialog& defaultPrinting = windows().defaultPrinting.get();
    defaultPrinting.leftMarginEdit->setText(setup.margins.left);
    defaultPrinting.topMarginEdit->setText(setup.margins.top);
    defaultPrinting.rightMarginEdit->setText(setup.margins.right);
    defaultPrinting.bottomMarginEdit->setText(setup.margins.bottom);
    defaultPrinting.copiesEdit->setText(setup.copies);
    if (setup.orientation == QStringLiteral("Portrait"))
        defaultPrinting.portraitButton->setChecked(true);
    else if (setup.orientation == QStringLiteral("Landscape"))
        defaultPrinting.landscapeButton->setChecked(true);
}

void writeDefaultPageSetup() {
    const State& out = state();
    writeDefaultRecord(out.defaultPageSetup, out.currentUnits);
}

void readDefaultPageSetup() {
    State& out = state();
    out.defaultPageSetup = readDefaultRecord();
    selectItem(windows().defaultPrinting->alignmentCombo, out.defaultPageSetup.alignment);
}

}  // namespace qv::output
