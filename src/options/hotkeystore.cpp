#include "options/hotkeystore.h"

#include <QTextStream>

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

// Such rows are kept as they are but never grabbed; an edited settings file is the only way
// to get them, so whoever edited it is told which row is ignored.
void reportIgnored(const QString& name, const QString& text, const char* why) {
    QTextStream(stderr) << "quorvalline: hotkey row \"" << name << "\" holds \"" << onOneLine(text)
                        << "\", " << why << "; it is ignored\n";
}

}  // namespace

StoredHotkeys readHotkeyStore() {
    StoredHotkeys stored;
    for (int row = 0; row < kHotkeyRows; ++row) {
        const QString text = rowFromStore(readTextWithNul(kHotkeysKey, hotkeyRowName(row)));
        if (!text.isEmpty() && !parseHotkey(text))
            reportIgnored(hotkeyRowName(row), text, "which is not a hotkey");
        stored.rows << text;
    }
    const QString flag = readTextWithNul(kHotkeysKey, kDisableValue);
    if (flag == flagWithNul(false))
        stored.disabled = false;
    else if (flag == flagWithNul(true))
        stored.disabled = true;
    else if (!flag.isEmpty())
        reportIgnored(kDisableValue, textBeforeNul(flag), "which is not a stored 0 or 1");
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
