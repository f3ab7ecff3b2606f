#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/units.h"
#include "output/state.h"

namespace qv::output {

// Where both page-setup records are stored.
QString pageSetupKey();

// The nine picture positions, in the order every list offers them.
const QStringList& alignmentNames();

// The locale's measurement system and decimal separator into the unit values. A measurement
// system the program does not know leaves the units as they were.
void readLocaleUnits(State& state);

// The first-use margins: "25" (mm) for a metric locale, "1" (inch) for a US one; nothing for
// unknown units.
std::optional<Margins> firstUseMargins(std::optional<Units> localeUnits);

// The margins re-expressed after the locale changed from storedUnits to the other system
// (millimetres / 25.4, or inches * 25.4), written with the decimal separator. Unknown stored
// units convert nothing; a margin that is not a number is kept as it is.
Margins convertedMargins(const Margins& margins, std::optional<Units> storedUnits,
                         const QString& decimalSeparator);

// Default-printing record.
bool defaultRecordExists();
// Writes the record with the units its margins are in, unknown units as an empty text (the
// Options window).
void writeDefaultRecord(const DefaultPageSetup& setup, std::optional<Units> units);
// Writes the record and leaves its stored units alone (the Default Printing window).
void writeDefaultRecordKeepingUnits(const DefaultPageSetup& setup);
// The stored record, values read without their NUL.
DefaultPageSetup readDefaultRecord();
std::optional<Units> readStoredUnits();

// Current-print record.
bool currentRecordExists();
// Writes the four margins, and the alignment when given.
void writeCurrentRecord(const Margins& margins, const std::optional<QString>& alignment);
// The four stored margins as a text box shows them (up to their NUL).
Margins readCurrentMargins();
QString readCurrentAlignment();

// What opening the current-print record did.
enum class CurrentRecordLoad { Created, Read, Converted };

// The current-print record as Page Setup and Print... open it: on first use the margins take
// their first-use values and are written; otherwise they are read and, once after a change of
// the locale's units, converted and written again (clearing unitsChanged). write stores the
// margins the way the caller does (with or without its alignment).
CurrentRecordLoad openCurrentRecord(State& state, Margins& margins,
                                    const std::function<void(const Margins&)>& write);

}  // namespace qv::output
