#pragma once

#include <QIcon>
#include <QPointF>
#include <QSize>
#include <QString>

class QPainter;

namespace qv::picmenu {

class MenuMetrics;
struct MenuColors;

// What one item of a popup shows now, read from the item itself at every paint.
struct MenuItemLook {
    QString caption;
    QString shortcut;
    QIcon picture;  // null: no picture
    bool separator = false;
    bool selected = false;
    bool disabled = false;
    bool checked = false;
    bool radio = false;  // a checked radio item shows a bullet instead of a check mark
    bool bold = false;   // the popup's default item
};

// Where things go in an item of a popup.
struct MenuItemLayout {
    QSize size;                     // the item
    int shortcutLeft = 0;           // the shortcut column, the same for every item of the popup
    QPointF twipsPerPixel{15, 15};  // the screen's
};

// Paints one item completely onto a surface whose origin is the item's top-left corner and
// which the caller has filled with the menu's background: from the left, a box holding the
// picture or a check glyph, the caption and the shortcut column. The top row stays background.
class MenuItemPainter {
public:
    MenuItemPainter(const MenuMetrics& metrics, const MenuColors& colors)
        : metrics_(metrics), colors_(colors) {}

    void paint(QPainter& painter, const MenuItemLook& item, const MenuItemLayout& layout) const;

    // Where the top-left corner of an item's picture goes.
    static QPoint picturePosition(int itemHeight, QPointF twipsPerPixel);

private:
    void paintSeparator(QPainter& painter, QSize size) const;
    void paintGlyph(QPainter& painter, const QRect& box, bool radio, const QColor& color) const;
    void paintPicture(QPainter& painter, const QIcon& picture, QPoint at, bool disabled) const;
    void paintText(QPainter& painter, const QRect& rect, const QString& text, const QColor& color,
                   bool disabled) const;

    const MenuMetrics& metrics_;
    const MenuColors& colors_;
};

}  // namespace qv::picmenu
