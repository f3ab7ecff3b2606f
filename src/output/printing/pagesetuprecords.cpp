#include "output/printing/pagesetuprecords.h"

#include <QStringList>

#include "options/registrystore.h"
#include "platform/services.h"
#include "toolkit/numbers.h"

namespace qv::output {

namespace {

using options::readTextWithNul;
using options::readTextWithoutNul;
using options::textBeforeNul;
using options::writeText;

constexpr double kMmPerInch = 25.4;

// The left margins of the default and the current-print records; their presence tells whether
// a record exists.
const QString kLeftMarginValue = QStringLiteral("TopLeft");
const QString kCurrentLeftMarginValue = QStringLiteral("CurrpTopLeft");

bool valueExists(const QString& name) {
    return platform::registry()
        .value(platform::Registry::Root::CurrentUser, pageSetupKey(), name)
        .has_value();
}

// Writers first make sure the program key is there, as every page-setup writer always has.
void createKeys() {
    options::createKey(options::kProgramKey);
    options::createKey(pageSetupKey());
}

std::optional<double> marginValue(const QString& text, const QString& separator) {
    if (toolkit::isNumeric(text, separator))
        return toolkit::numberFromText(text, separator);
    // Written before the locale's separator changed.
    const QString other =
        separator == QStringLiteral(",") ? QStringLiteral(".") : QStringLiteral(",");
    if (toolkit::isNumeric(text, other))
        return toolkit::numberFromText(text, other);
    return std::nullopt;
}

QString convertedMargin(const QString& text, bool fromMetric, const QString& separator) {
    const std::optional<double> value = marginValue(text, separator);
    if (!value)
        return text;
    return toolkit::numberText(fromMetric ? *value / kMmPerInch : *value * kMmPerInch, separator);
}

void writeDefaultValues(const DefaultPageSetup& setup, const std::optional<QString>& unitsText) {
    const platform::RegistryBatch oneWrite(platform::registry());
    createKeys();
    const QString key = pageSetupKey();
    writeText(key, kLeftMarginValue, setup.margins.left);
    writeText(key, QStringLiteral("Top"), setup.margins.top);
    writeText(key, QStringLiteral("Right"), setup.margins.right);
    writeText(key, QStringLiteral("Bottom"), setup.margins.bottom);
    writeText(key, QStringLiteral("Orientation"), setup.orientation);
    writeText(key, QStringLiteral("CopyCount"), setup.copies);
    if (unitsText)
        writeText(key, QStringLiteral("Units"), *unitsText);
    writeText(key, QStringLiteral("PictureAlignment"), setup.alignment);
}

}  // namespace

QString pageSetupKey() {
    return options::kProgramKey + QStringLiteral("\\PageSetup");
}

const QStringList& alignmentNames() {
    static const QStringList names = {
        QStringLiteral("Top Left"),     QStringLiteral("Top Centered"),
        QStringLiteral("Top Right"),    QStringLiteral("Centered Left"),
        QStringLiteral("Centered"),     QStringLiteral("Centered Right"),
        QStringLiteral("Bottom Left"),  QStringLiteral("Bottom Centered"),
        QStringLiteral("Bottom Right"),
    };
    return names;
}

void readLocaleUnits(State& state) {
    const platform::Locale& locale = platform::locale();
    if (const auto units = unitsOfMeasurementSetting(locale.measurementSystem()))
        state.currentUnits = state.localeUnits = *units;
    state.decimalSeparator = textBeforeNul(locale.decimalSeparator());
}

std::optional<Margins> firstUseMargins(std::optional<Units> units) {
    if (!units)
        return std::nullopt;
    const QString m = *units == Units::US ? QStringLiteral("1") : QStringLiteral("25");
    return Margins{m, m, m, m};
}

Margins convertedMargins(const Margins& margins, std::optional<Units> storedUnits,
                         const QString& decimalSeparator) {
    if (!storedUnits)
        return margins;
    const bool fromMetric = *storedUnits == Units::Metric;
    return {convertedMargin(margins.left, fromMetric, decimalSeparator),
            convertedMargin(margins.top, fromMetric, decimalSeparator),
            convertedMargin(margins.right, fromMetric, decimalSeparator),
            convertedMargin(margins.bottom, fromMetric, decimalSeparator)};
}

bool defaultRecordExists() {
    return valueExists(kLeftMarginValue);
}

void writeDefaultRecord(const DefaultPageSetup& setup, std::optional<Units> units) {
    writeDefaultValues(setup, unitsText(units));
}

void writeDefaultRecordKeepingUnits(const DefaultPageSetup& setup) {
    writeDefaultValues(setup, std::nullopt);
}

DefaultPageSetup readDefaultRecord() {
    const QString key = pageSetupKey();
    DefaultPageSetup s;
    s.margins.left = readTextWithoutNul(key, kLeftMarginValue);
    s.margins.top = readTextWithoutNul(key, QStringLiteral("Top"));
    s.margins.right = readTextWithoutNul(key, QStringLiteral("Right"));
    s.margins.bottom = readTextWithoutNul(key, QStringLiteral("Bottom"));
    s.orientation = readTextWithoutNul(key, QStringLiteral("Orientation"));
    s.copies = readTextWithoutNul(key, QStringLiteral("CopyCount"));
    s.alignment = readTextWithoutNul(key, QStringLiteral("PictureAlignment"));
    return s;
}

std::optional<Units> readStoredUnits() {
    return unitsFromText(readTextWithoutNul(pageSetupKey(), QStringLiteral("Units")));
}

bool currentRecordExists() {
    return valueExists(kCurrentLeftMarginValue);
}

void writeCurrentRecord(const Margins& margins, const std::optional<QString>& alignment) {
    const platform::RegistryBatch oneWrite(platform::registry());
    createKeys();
    const QString key = pageSetupKey();
    writeText(key, kCurrentLeftMarginValue, margins.left);
    writeText(key, QStringLiteral("CurrpTop"), margins.top);
    writeText(key, QStringLiteral("CurrpRight"), margins.right);
    writeText(key, QStringLiteral("CurrpBottom"), margins.bottom);
    if (alignment)
        writeText(key, QStringLiteral("CurrpAlignment"), *alignment);
}

Margins readCurrentMargins() {
    // Held without the NUL readTextWithNul gives back, so that writing them again does not
    // add another one each time.
    const QString key = pageSetupKey();
    return {textBeforeNul(readTextWithNul(key, kCurrentLeftMarginValue)),
            textBeforeNul(readTextWithNul(key, QStringLiteral("CurrpTop"))),
            textBeforeNul(readTextWithNul(key, QStringLiteral("CurrpRight"))),
            textBeforeNul(readTextWithNul(key, QStringLiteral("CurrpBottom")))};
}

QString readCurrentAlignment() {
    return readTextWithoutNul(pageSetupKey(), QStringLiteral("CurrpAlignment"));
}

CurrentRecordLoad openCurrentRecord(State& state, Margins& margins,
                                    const std::function<void(const Margins&)>& write) {
    if (!currentRecordExists()) {
        if (const auto first = firstUseMargins(state.localeUnits))
            margins = *first;
        write(margins);
        return CurrentRecordLoad::Created;
    }
    margins = readCurrentMargins();
    if (!state.unitsChanged)
        return CurrentRecordLoad::Read;
    margins = convertedMargins(margins, state.storedUnits, state.decimalSeparator);
    write(margins);
    state.unitsChanged = false;
    return CurrentRecordLoad::Converted;
}

}  // namespace qv::output
