#pragma once

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace qv::picmenu::menusizes {

// The sizes a popup of these item texts should have, worked out from the menu font alone.
struct Expected {
    int itemHeight = 0;
    int width = 0;
    int shortcutLeft = 0;  // in the item
};

inline Expected expectedFor(const QStringList& texts, double freezeTwips, int boldItem = -1) {
    const QFont font = QApplication::font("QMenu");
    QFont bold = font;
    bold.setBold(true);
    const double points = QFontInfo(font).pointSizeF();
    int longest = 0, widestCaption = 0, widestShortcut = 0;
    for (int i = 0; i < texts.size(); ++i) {
        const QFontMetrics metrics(i == boldItem ? bold : font);
        const auto width = [&](const QString& text) {
            return metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width() + 1;
        };
        const qsizetype tab = texts[i].indexOf(u'\t');
        const QString caption = tab < 0 ? texts[i] : texts[i].left(tab);
        longest = std::max(longest, int(caption.size()));
        widestCaption = std::max(widestCaption, width(caption));
        if (tab >= 0)
            widestShortcut = std::max(widestShortcut, width(texts[i].mid(tab + 1)));
    }
    Expected e;
    e.itemHeight = QFontMetrics(font).height() + 8;
    const int left = e.itemHeight + 2;
    int allowance = int(std::nearbyint(freezeTwips / 2 + points / 1.2 * longest));
    int text = left + widestCaption + 12;
    if (widestShortcut > 0) {
        allowance += 4 + widestShortcut;
        text += 44 + widestShortcut;
    }
    e.width = std::max(allowance, text);
    e.shortcutLeft = left + widestCaption + 44;
    return e;
}

}  // namespace qv::picmenu::menusizes
