#pragma once

namespace qv::output {

// The default page setup, as the Options window's load brings it in at start-up: the units of
// the locale, the stored record (written with first-use values, or converted once after the
// locale's units changed), shown in the Default Printing window.
void loadDefaultPageSetup();

// The record from and into the page-setup state.
void writeDefaultPageSetup();
void readDefaultPageSetup();

}  // namespace qv::output
