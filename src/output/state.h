#pragma once

#include <QString>

#include "output/printing/pagesetup.h"

namespace qv::output {

// State of the outputs: measurement units and the page-setup records. Reset as a whole by
// constructing a new one.
struct State {
    QString imeasure;      // the locale's measurement system: "0" metric, "1" US
    QString localeunits;   // "Metric" or "US"
    QString currentunits;  // "Metric" or "US"
    QString storedunits;   // the units the stored page setups were written in
    QString unitsign;      // "mm" or the inch mark
    QString decimalseparator;
    bool unitschanged = false;

    DefaultPageSetup defaultpagesetup;
    CurrentPageSetup currentpagesetup;  // the Page Setup window's
    CurrentPageSetup printmargins;      // the copy Print... uses
};

}  // namespace qv::output
