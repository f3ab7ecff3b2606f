#include "options/hotkeytable.h"

#include <array>

#include "options/menucaptions.h"

namespace qv::options {

namespace {

const std::array<const char*, kHotkeyRows> kRowNames = {
    "Release Desktop",
    "Freeze Desktop",
    "Capture Active Window",
    "Capture Entire Screen",
    "Options...",
    "Exit",
    "Save to Default Directory",
    "Save As...",
    "Print to Default Printer",
    "Print...",
    "Page Setup...",
    "Start Default Application",
    "Copy to Clipboard",
    "Email to...",
    "Popup Context Menu",
};

const QString kGap = QStringLiteral("   ");

}  // namespace

QString hotkeyRowName(int row) {
    if (row < 0 || row >= kHotkeyRows)
        return {};
    return QString::fromLatin1(kRowNames[static_cast<size_t>(row)]);
}

QStringList firstRunHotkeyRows() {
    QStringList rows(kHotkeyRows);
    rows[RowRelease] = QStringLiteral("CTRL+R");
    rows[RowFreeze] = QStringLiteral("CTRL+F");
    return rows;
}

std::optional<int> modifierFlags(const QString& modifierText) {
    for (const HotkeyModifierText& m : kHotkeyModifiers) {
        if (modifierText == QLatin1String(m.text))
            return m.flags;
    }
    return std::nullopt;
}

std::optional<ParsedHotkey> parseHotkey(const QString& hotkeyText) {
    if (hotkeyText.isEmpty())
        return std::nullopt;
    const QChar key = hotkeyText.back();
    const std::optional<int> flags = modifierFlags(hotkeyText.chopped(1));
    if (!flags || key < QLatin1Char('A') || key > QLatin1Char('Z'))
        return std::nullopt;
    return ParsedHotkey{*flags, key.toLatin1()};
}

std::optional<QString> menuCaptionWithoutHotkey(int row, const CaptionInputs& inputs) {
    const QString name = hotkeyRowName(row);
    if (row == RowPastingApp)
        return pastingAppCaption(inputs.pastingAppName, QString(), QString());
    if (row == RowCopy && inputs.autoCopy)
        return name + QStringLiteral("( Autocopy Enabled ) ");
    return name;
}

std::optional<QString> menuCaption(int row, const QString& hotkeyText,
                                   const CaptionInputs& inputs) {
    const std::optional<QString> base = menuCaptionWithoutHotkey(row, inputs);
    if (!base)
        return std::nullopt;
    return *base + kGap + hotkeyText;
}

}  // namespace qv::options
