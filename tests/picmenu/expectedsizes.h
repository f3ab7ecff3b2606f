#pragma once

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace qv::picmenu::menusizes {

// The figures of the menu design, measured in the menu font, and what a drawn popup shows.

inline QFont menuFont(bool bold = false) {
    QFont font = QApplication::font("QMenu");
    font.setBold(bold);
    return font;
}

// An item is a line of the menu font and 8 pixels high; a separator 8 pixels whatever the font.
inline int itemHeight() {
    return QFontMetrics(menuFont()).height() + 8;
}
constexpr int kSeparatorHeight = 8;
// A popup of this many items with a separator between every two, in its 3-pixel frame.
inline int popupHeight(int items) {
    return items * itemHeight() + (items - 1) * kSeparatorHeight + 6;
}

// A text's width in pixels, and one more, as one line (an ampersand underlines the next
// character).
inline int textWidth(const QString& text, bool bold = false) {
    return QFontMetrics(menuFont(bold))
               .size(Qt::TextSingleLine | Qt::TextShowMnemonic, text)
               .width() +
           1;
}

// An item text's caption and its shortcut: split at the first Tab.
inline std::pair<QString, QString> split(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? std::pair{text, QString()} : std::pair{text.left(tab), text.mid(tab + 1)};
}

// The width every item of a popup gets at least: half the twips per pixel of the last freeze (0
// before one) and the font's size in points / 1.2 for each character of the longest caption,
// rounded to the nearest whole number (halves to even); with shortcuts, 4 pixels and the widest
// shortcut more.
inline int allowance(const QStringList& texts, double freezeTwips) {
    qsizetype longest = 0;
    int widestShortcut = 0;
    for (const QString& text : texts) {
        const auto [caption, shortcut] = split(text);
        longest = std::max(longest, caption.size());
        if (!shortcut.isEmpty())
            widestShortcut = std::max(widestShortcut, textWidth(shortcut));
    }
    const double points = QFontInfo(menuFont()).pointSizeF();
    const int width = int(std::nearbyint(freezeTwips / 2 + points / 1.2 * double(longest)));
    return widestShortcut > 0 ? width + 4 + widestShortcut : width;
}

// Where the shortcut column starts in every item: right of the picture column (as wide as the
// item is high) and 2 pixels, the popup's widest caption and 44 pixels.
inline int shortcutLeft(const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, textWidth(split(text).first));
    return itemHeight() + 2 + widest + 44;
}

// The least room, over the popup's items, between the last ink of an item's texts and the item's
// right edge: 0 when a text runs into the edge (it is cut off there).
inline int roomRightOfTexts(const QMenu& menu, const QImage& image) {
    int least = image.width();
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        const QRect r = menu.actionGeometry(action);
        const QRgb background = image.pixel(r.center().x(), r.top());  // the top row stays empty
        int x = r.right();
        const auto inkAt = [&](int column) {
            for (int y = r.top() + 1; y < r.bottom(); ++y) {
                if (image.pixel(column, y) != background)
                    return true;
            }
            return false;
        };
        while (x > r.left() && !inkAt(x))
            --x;
        least = std::min(least, r.right() - x);
    }
    return least;
}

}  // namespace qv::picmenu::menusizes
