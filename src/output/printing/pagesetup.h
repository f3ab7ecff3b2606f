#pragma once

#include <QString>

namespace qv::output {

// Margins as text in the current units ("25" mm, "0.984251968503937" inches).
struct Margins {
    QString left;
    QString top;
    QString right;
    QString bottom;
    bool operator==(const Margins&) const = default;
};

// What "Print to Default Printer" prints with.
struct DefaultPageSetup {
    Margins margins;
    QString orientation;  // "Portrait" or "Landscape"
    QString copies;
    QString alignment;  // one of the nine alignment names
    bool operator==(const DefaultPageSetup&) const = default;
};

// The margins and alignment of one print job (Page Setup window, Print...).
struct CurrentPageSetup {
    Margins margins;
    QString alignment;
};

}  // namespace qv::output
