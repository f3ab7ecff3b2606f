#pragma once

#include <QString>
#include <utility>
#include <vector>

class QMenu;

namespace qv::picmenu {

class MenuMetrics;

// One item of a popup as it reads when the popup opens.
struct MenuEntry {
    QString caption;   // the text before the first Tab (all of it when there is none)
    QString shortcut;  // the text after the first Tab, further Tabs included
    bool separator = false;
    bool isDefault = false;  // drawn in the bold font
};

// What a popup's items are sized from, taken from its current captions at each opening.
struct PopupMeasures {
    int longestCaption = 0;  // characters
    int widestCaption = 0;   // pixels + 1
    int widestShortcut = 0;  // pixels + 1; 0 when no item has a shortcut
    int textHeight = 0;      // pixels

    bool operator==(const PopupMeasures&) const = default;
};

// The caption and the shortcut of an item text: split at its first Tab only.
std::pair<QString, QString> splitAtTab(const QString& text);

// The visible items of a popup, in order.
std::vector<MenuEntry> readEntries(const QMenu& menu);

PopupMeasures measure(const std::vector<MenuEntry>& entries, const MenuMetrics& metrics);

// Every item of a popup is this wide: never narrower than its text with the picture column
// before it and the shortcut column after it, nor narrower than the allowance per character of
// the longest caption in the font's size. freezeTwipsPerPixelX is 0 before the first freeze.
int itemWidth(const PopupMeasures& measures, double fontPoints, double freezeTwipsPerPixelX);
// Separators are 8 pixels high whatever the font; other items a line of text and 8.
int itemHeight(const PopupMeasures& measures, bool separator);
// Where an item's caption starts: right of the picture column.
int captionLeft(int itemHeight);
// Where the shortcut column starts, the same for every item of a popup.
int shortcutLeft(const PopupMeasures& measures);

}  // namespace qv::picmenu
