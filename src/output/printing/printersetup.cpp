#include "output/printing/printersetup.h"

#include "toolkit/numbers.h"

namespace qv::output {

std::optional<PreviewMargins> marginsInTwips(const Margins& margins, std::optional<Units> units,
                                             const QString& decimalSeparator) {
    if (!units)
        return std::nullopt;
    // 567 twips make a centimetre, 1440 an inch.
    const double twipsPerUnit = *units == Units::Metric ? 56.7 : 1440.0;
    const auto twips = [&](const QString& text) {
        return toolkit::numberFromText(text, decimalSeparator) * twipsPerUnit;
    };
    return PreviewMargins{twips(margins.left), twips(margins.top), twips(margins.right),
                          twips(margins.bottom)};
}

}  // namespace qv::output
