#pragma once

#include <QSizeF>
#include <QString>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/printersetup.h"
#include "output/printing/units.h"
#include "platform/windowid.h"
#include "toolkit/installed.h"

namespace qv::output {

// State of the outputs: where the converter lies, measurement units and the page-setup records.
// Reset as a whole by constructing a new one.
struct State {
    QString programFolder;  // the converter program lies beside the main program
    // The pasting application's window as last seen by its command; 0 while none is known.
    platform::WindowId pastingAppWindow = 0;
    // The process that made that window when it was seen; 0 when the window system did not say.
    qint64 pastingAppProcess = 0;

    // Unknown until the locale names a measurement system the program knows.
    std::optional<Units> localeUnits;
    std::optional<Units> currentUnits;  // what margins are handled in now; stored with them
    // What the stored default-printing record says its margins are in, as the Options window
    // read it; unknown for a missing or unknown text.
    std::optional<Units> storedUnits;
    QString decimalSeparator;
    // The locale's units differ from the stored ones: the current-print record is converted
    // by the first of Page Setup and Print... to open it.
    bool unitsChanged = false;

    DefaultPageSetup defaultPageSetup;
    CurrentPageSetup currentPageSetup;  // the Page Setup window's
    CurrentPageSetup printMargins;      // the copy Print... uses

    // Left by the Default Printing preview: the default margins and the printer's portrait
    // page, in preview twips; read by Print to Default Printer.
    PreviewMargins previewMargins;
    QSizeF previewPage;

    // The printer a print dialog chose and the page Page Setup works on; both kept for the run.
    PrinterSetup printerSetup;
    PageMetrics pageMetrics;
};

// The state of the running program.
inline State& state() {
    return toolkit::Installed<State>::get();
}

}  // namespace qv::output
