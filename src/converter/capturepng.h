#pragma once

#include <optional>

#include "converter/request.h"

namespace qv::converter {

// The road for what the main program hands the converter nearly every time: its own bitmap
// (plain 32-bit rows, the top row first) to be saved as PNG. It needs no toolkit, so the
// converter's start costs a millisecond instead of six. Each piece of rows is read from the
// file by the thread that packs it, so the picture is never held whole in memory.
//
// Nothing when the request is anything else, or when anything about it is wrong before the
// target is written: the toolkit's road then takes it, and says what is wrong as it always has.
std::optional<Outcome> saveCaptureAsPng(int argc, const char* const argv[]);

}  // namespace qv::converter
