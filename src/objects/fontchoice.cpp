#include "objects/fontchoice.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <cmath>

#include "platform/services.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::objects {

QFont FontStyle::font() const {
    QFont f(name);
    f.setPointSizeF(size > 0 ? size : 1);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeout);
    return f;
}

FontStyle FontStyle::of(const QFont& font, qint64 color) {
    return {font.family(),    font.pointSizeF(), font.bold(), font.italic(),
            font.underline(), font.strikeOut(),  color};
}

int startPointSize(int tenths) {
    return toolkit::toInt(toolkit::roundHalfEven(tenths / 10.0));
}

void showFontDialog(FontStyle& first, FontStyle& second, int tenths, QWidget* owner,
                    const QStringList& families) {
    if (families.isEmpty()) {
        platform::dialogs().message(QStringLiteral("No Fonts Available"), platform::MsgButtons::Ok,
                                    platform::MsgIcon::None, QStringLiteral("Quorvalline"), owner);
        return;
    }
    FontStyle start = first;
    start.size = startPointSize(tenths);
    const auto chosen =
        platform::dialogs().chooseFont({start.font(), toolkit::colorFromValue(first.color)}, owner);
    if (!chosen)
        return;
    const QFont& f = chosen->font;
    const bool bold = f.weight() >= QFont::Bold;
    const qint64 color = toolkit::colorValue(chosen->color);
    // The size comes back in whole tenths of a point.
    const double size = toolkit::toInt(toolkit::roundHalfEven(f.pointSizeF() * 10)) / 10.0;
    first.bold = bold;
    first.italic = f.italic();
    first.underline = f.underline();
    first.strikeout = f.strikeOut();
    first.color = color;
    first.size = size;
    first.name = f.family();
    second.bold = second.bold || bold;
    second.italic = second.italic || f.italic();
    second.underline = second.underline || f.underline();
    second.strikeout = second.strikeout || f.strikeOut();
    second.color = color;
    second.size = size;
    second.name = f.family();
}

void showFontDialog(FontStyle& first, FontStyle& second, int tenths, QWidget* owner) {
    showFontDialog(first, second, tenths, owner, QFontDatabase::families());
}

std::optional<qint64> chooseObjectColor(QWidget* owner) {
    // Colours the user defined last time are not kept.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    const auto chosen = platform::dialogs().chooseColor(Qt::black, owner);
    if (!chosen)
        return std::nullopt;
    return toolkit::colorValue(*chosen);
}

}  // namespace qv::objects
