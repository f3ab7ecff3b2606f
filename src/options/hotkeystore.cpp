#include "options/hotkeystore.h"

#include "options/hotkeytable.h"
#include "options/registrystore.h"
#include "platform/services.h"

namespace qv::options {

namespace {

const QString kDisableValue = QStringLiteral("DisableHotkeys");

// The longest stored text the program ever read back whole.
constexpr qsizetype kReadBuffer = 255;
// A row stored longer than this keeps only its first character.
constexpr qsizetype kLongestStoredRow = 100;

QString rowFromStore(const QString& storedText) {
    const qsizetype length = storedText.toUtf8().size();
    if (length <= 2 || length > kReadBuffer)
        return {};
    return textBeforeNul(storedText);
}

}  // namespace

StoredHotkeys readHotkeyStore() {
    StoredHotkeys stored;
    for (int row = 0; row < kHotkeyRows; ++row)
        stored.rows << rowFromStore(readTextWithNul(kHotkeysKey, hotkeyRowName(row)));
    const QString flag = readTextWithNul(kHotkeysKey, kDisableValue);
    if (flag == flagWithNul(false))
        stored.disabled = false;
    else if (flag == flagWithNul(true))
        stored.disabled = true;
    return stored;
}

void writeHotkeyStore(const QStringList& rows, bool disabled) {
    const platform::RegistryBatch oneWrite(platform::registry());
    for (int row = 0; row < kHotkeyRows; ++row) {
        const QString text = row < rows.size() ? rows.at(row) : QString();
        if (text.toUtf8().size() + 1 > kLongestStoredRow)
            writeText(kHotkeysKey, hotkeyRowName(row), text.left(1), Nul::Omitted);
        else
            writeText(kHotkeysKey, hotkeyRowName(row), text);
    }
    writeText(kHotkeysKey, kDisableValue, disabled ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace qv::options
