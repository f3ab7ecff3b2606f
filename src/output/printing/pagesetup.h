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

// The default margins in preview twips (twips / 4.8), as the Default Printing preview last
// computed them; what Print to Default Printer prints with.
struct PreviewMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool operator==(const PreviewMargins&) const = default;
};

}  // namespace qv::output
