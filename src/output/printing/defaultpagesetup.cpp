#include "output/printing/defaultpagesetup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "output/printing/pagecontrols.h"
#include "output/printing/pagesetuprecords.h"
#include "output/windows.h"
#include "toolkit/combo.h"

namespace qv::output {

void loadDefaultPageSetup() {
    State& outputState = state();
    DefaultPageSetup& setup = outputState.defaultPageSetup;
    outputState.storedUnits = readStoredUnits();
    readLocaleUnits(outputState);

    if (!defaultRecordExists()) {
        if (const auto margins = firstUseMargins(outputState.localeUnits))
            setup.margins = *margins;
        setup.copies = QStringLiteral("1");
        setup.orientation = QStringLiteral("Portrait");
        setup.alignment = QStringLiteral("Top Left");
        writeDefaultPageSetup();
        return;
    }

    readDefaultPageSetup();
    // A locale whose units are unknown converts nothing.
    if (outputState.localeUnits && outputState.storedUnits != outputState.localeUnits) {
        outputState.unitsChanged = true;
        setup.margins =
            convertedMargins(setup.margins, outputState.storedUnits, outputState.decimalSeparator);
        writeDefaultPageSetup();
        // The window's load drew the preview from the margins before their conversion; Print to
        // Default Printer takes its margins from that preview.
        windows().defaultPrinting->updatePreview();
    }

    DefaultPrintingDialog& defaultPrinting = windows().defaultPrinting.get();
    defaultPrinting.pageControls->showMargins(setup.margins);
    defaultPrinting.copiesEdit->setText(setup.copies);
    if (setup.orientation == QStringLiteral("Portrait"))
        defaultPrinting.portraitButton->setChecked(true);
    else if (setup.orientation == QStringLiteral("Landscape"))
        defaultPrinting.landscapeButton->setChecked(true);
}

void writeDefaultPageSetup() {
    const State& outputState = state();
    writeDefaultRecord(outputState.defaultPageSetup, outputState.currentUnits);
}

void readDefaultPageSetup() {
    State& outputState = state();
    outputState.defaultPageSetup = readDefaultRecord();
    toolkit::selectText(windows().defaultPrinting->alignmentCombo,
                        outputState.defaultPageSetup.alignment);
}

}  // namespace qv::output
