#pragma once

#include <QPageSize>
#include <QString>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/units.h"

namespace qv::output {

// What the last print dialog of the run chose; 0 (or an invalid paper size) for what it did
// not. Page Setup previews and prints with it.
struct PrinterSetup {
    bool usable = false;  // the chosen printer can be printed on
    QString device;
    QPageSize paperSize;
    int paperSource = 0;
    int colorMode = 0;
    int duplex = 0;
    int copies = 0;
    int orientation = 0;
};

// The page Page Setup previews and prints on: its size in printer dots and the twips per dot
// across and down. 0 while unset.
struct PageMetrics {
    double width = 0;
    double height = 0;
    double factorX = 0;
    double factorY = 0;
};

// Margin texts in the given units as twips; nothing for unknown units. A text that is not a
// number counts as 0.
std::optional<PreviewMargins> marginsInTwips(const Margins& margins, std::optional<Units> units,
                                             const QString& decimalSeparator);

}  // namespace qv::output
