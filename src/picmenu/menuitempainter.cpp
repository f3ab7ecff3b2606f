#include "picmenu/menuitempainter.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QtMath>

#include "picmenu/dottedbrush.h"
#include "picmenu/edges.h"
#include "picmenu/menucolors.h"
#include "picmenu/menumeasures.h"
#include "picmenu/menumetrics.h"
#include "toolkit/numbers.h"

namespace qv::picmenu {

namespace {

constexpr int kPictureSize = 16;

// The picture's shape in one colour.
QImage tinted(const QImage& picture, const QColor& color) {
    QImage shape = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shape.rect(), color);
    return shape;
}

}  // namespace

QPoint MenuItemPainter::picturePosition(int itemHeight, QPointF twipsPerPixel) {
    // The centre of the box (1, 1) - (h - 1, h), moved by one pixel's worth of twips.
    const int centreX = 1 + (itemHeight - 1) / 2;
    const int centreY = 1 + itemHeight / 2;
    return {toolkit::toInt((centreX + 15) / twipsPerPixel.x()),
            toolkit::toInt((centreY + 15) / twipsPerPixel.y())};
}

void MenuItemPainter::paint(QPainter& painter, const MenuItemLook& item,
                            const MenuItemLayout& layout) const {
    if (item.separator) {
        paintSeparator(painter, layout.size);
        return;
    }
    const int w = layout.size.width();
    const int h = layout.size.height();
    const bool hasPicture = !item.picture.isNull();
    const int boxColumn = item.checked || hasPicture ? h : 0;
    if (item.selected && !item.disabled)
        painter.fillRect(QRect(boxColumn, 1, w - boxColumn, h - 1), colors_.highlight);
    const QColor textColor = item.disabled   ? colors_.light
                             : item.selected ? colors_.selectedText
                                             : colors_.text;

    const QRect box(1, 1, h - 2, h - 1);
    if (item.checked) {
        if (!item.selected)
            DottedBrush::fill(painter, box, colors_.background, colors_.light);
        drawEdge(painter, box, colors_.dark, colors_.light);
        if (!hasPicture) {
            const QColor glyphColor = item.selected ? colors_.text : textColor;
            if (item.disabled) {
                paintGlyph(painter, box.translated(1, 1), item.radio, colors_.light);
                paintGlyph(painter, box, item.radio, colors_.dark);
            } else {
                paintGlyph(painter, box, item.radio, glyphColor);
            }
        }
    }
    if (hasPicture) {
        if (!item.checked && item.selected && !item.disabled)
            drawEdge(painter, box, colors_.light, colors_.dark);
        paintPicture(painter, item.picture, picturePosition(h, layout.twipsPerPixel),
                     item.disabled);
    }

    painter.setFont(item.bold ? metrics_.boldFont() : metrics_.font());
    const int left = captionLeft(h);
    paintText(painter, QRect(left, 1, w - left, h - 1), item.caption, textColor, item.disabled);
    if (!item.shortcut.isEmpty()) {
        const int column = layout.shortcutLeft;
        paintText(painter, QRect(column, 1, w - column, h - 1), item.shortcut, textColor,
                  item.disabled);
    }
}

void MenuItemPainter::paintSeparator(QPainter& painter, QSize size) const {
    const int top = 1 + (size.height() - 3) / 2;
    const QRect line(12, top, size.width() - 24, 2);
    drawEdge(painter, line, colors_.dark, colors_.light, kTopEdge | kBottomEdge);
}

void MenuItemPainter::paintGlyph(QPainter& painter, const QRect& box, bool radio,
                                 const QColor& color) const {
    const int size = metrics_.glyphSize();
    const int left = box.left() + (box.width() - size) / 2;
    const int top = box.top() + (box.height() - size) / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (radio) {
        // A round dot a pixel smaller than the check mark: the pixels whose centres lie
        // inside its circle.
        const int diameter = std::max(3, size - 1);
        const int offset = (size - diameter + 1) / 2;
        const double radius = diameter / 2.0;
        for (int y = 0; y < diameter; ++y) {
            for (int x = 0; x < diameter; ++x) {
                const double dx = x + 0.5 - radius;
                const double dy = y + 0.5 - radius;
                if (dx * dx + dy * dy <= radius * radius)
                    painter.fillRect(left + offset + x, top + offset + y, 1, 1, color);
            }
        }
    } else {
        // A tick that fills the glyph square: a short stroke down to the bottom and a long one
        // up to the top right, each a few pixels thick.
        const int thickness = std::max(1, (size + 1) / 3);
        const int knee = (size - 1) / 3;
        painter.setPen(QPen(color, 1));
        for (int k = 0; k < thickness; ++k) {
            const QPoint start(left, top + size - thickness - knee + k);
            const QPoint bottom(left + knee, top + size - thickness + k);
            const QPoint end(left + size - 1, top + k);
            painter.drawLine(start, bottom);
            painter.drawLine(bottom, end);
        }
    }
    painter.restore();
}

void MenuItemPainter::paintPicture(QPainter& painter, const QIcon& picture, QPoint at,
                                   bool disabled) const {
    // Rasterised at the surface's pixel ratio: a scaled screen shows the picture's own detail.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const QSize size(kPictureSize, kPictureSize);
    QImage image = picture.pixmap(size, ratio).toImage();
    const QSize devicePixels(qCeil(kPictureSize * ratio), qCeil(kPictureSize * ratio));
    if (image.size() != devicePixels)
        image = image.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    if (!disabled) {
        painter.drawImage(at, image);
        return;
    }
    painter.drawImage(at + QPoint(1, 1), tinted(image, colors_.light));
    painter.drawImage(at, tinted(image, colors_.dark));
}

void MenuItemPainter::paintText(QPainter& painter, const QRect& rect, const QString& text,
                                const QColor& color, bool disabled) const {
    constexpr int flags =
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (disabled) {
        painter.setPen(colors_.light);
        painter.drawText(rect.translated(1, 1), flags, text);
        painter.setPen(colors_.dark);
    } else {
        painter.setPen(color);
    }
    painter.drawText(rect, flags, text);
}

}  // namespace qv::picmenu
