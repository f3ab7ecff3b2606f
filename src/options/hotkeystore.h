#pragma once

#include <QStringList>
#include <optional>

namespace qv::options {

// The hotkey table as the registry holds it under kHotkeysKey: one value per row, named by
// the row, and "DisableHotkeys".
struct StoredHotkeys {
    QStringList rows;              // kHotkeyRows texts, empty where no hotkey is set
    std::optional<bool> disabled;  // nothing when the stored flag is neither "0" nor "1"
};

// Reads every row; the key is created when it is missing. A row that is not a hotkey and a
// flag that is neither "0" nor "1" are kept as read, each reported in one line on stderr.
StoredHotkeys readHotkeyStore();
// Writes the kHotkeyRows rows (missing ones as empty) and whether hotkeys are switched off.
void writeHotkeyStore(const QStringList& rows, bool disabled);

}  // namespace qv::options
