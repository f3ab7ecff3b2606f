#include "picmenu/menumeasures.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "picmenu/menumetrics.h"
#include "toolkit/numbers.h"

namespace qv::picmenu {

std::pair<QString, QString> splitAtTab(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0)
        return {text, QString()};
    return {text.left(tab), text.mid(tab + 1)};
}

std::vector<MenuEntry> readEntries(const QMenu& menu) {
    std::vector<MenuEntry> entries;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible())
            continue;
        MenuEntry entry;
        entry.separator = action->isSeparator();
        if (!entry.separator) {
            std::tie(entry.caption, entry.shortcut) = splitAtTab(action->text());
            entry.isDefault = menu.defaultAction() == action;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

PopupMeasures measure(const std::vector<MenuEntry>& entries, const MenuMetrics& metrics) {
    PopupMeasures result;
    result.textHeight = metrics.textHeight();
    for (const MenuEntry& entry : entries) {
        if (entry.separator)
            continue;
        result.longestCaption = std::max(result.longestCaption, int(entry.caption.size()));
        result.widestCaption =
            std::max(result.widestCaption, metrics.textWidth(entry.caption, entry.isDefault) + 1);
        if (!entry.shortcut.isEmpty()) {
            result.widestShortcut = std::max(
                result.widestShortcut, metrics.textWidth(entry.shortcut, entry.isDefault) + 1);
        }
    }
    return result;
}

int itemHeight(const PopupMeasures& measures, bool separator) {
    return separator ? 8 : measures.textHeight + 8;
}

int captionLeft(int itemHeight) {
    return itemHeight + 2;
}

int shortcutLeft(const PopupMeasures& measures) {
    return captionLeft(itemHeight(measures, false)) + measures.widestCaption + 44;
}

int itemWidth(const PopupMeasures& measures, double fontPoints, double freezeTwipsPerPixelX) {
    const int shortcut = measures.widestShortcut;
    int allowance =
        toolkit::toInt(freezeTwipsPerPixelX / 2 + fontPoints / 1.2 * measures.longestCaption);
    int text = captionLeft(itemHeight(measures, false)) + measures.widestCaption + 12;
    if (shortcut > 0) {
        allowance += 4 + shortcut;
        text += 44 + shortcut;
    }
    return std::max(allowance, text);
}

}  // namespace qv::picmenu
