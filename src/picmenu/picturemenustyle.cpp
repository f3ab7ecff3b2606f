#include "picmenu/picturemenustyle.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>

#include "picmenu/edges.h"
#include "picmenu/menucolors.h"
#include "picmenu/menuitempainter.h"
#include "picmenu/picturemenus.h"
#include "picmenu/state.h"
#include "toolkit/twips.h"

namespace qv::picmenu {

namespace {

// Frame of the popup: a raised edge of two pixels and one pixel of the menu's background.
constexpr int kFrameWidth = 3;

// The width a popup adds after measuring its items when one of their texts has a Tab: the
// widest text after a Tab in the popup's font. The items' own width already holds the
// shortcut column, so it is taken off again.
int addedShortcutWidth(const QMenu& menu) {
    int widest = 0;
    const QFontMetrics metrics = menu.fontMetrics();
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const QString text = action->text();
        const qsizetype tab = text.indexOf(u'\t');
        if (tab >= 0)
            widest = std::max(widest, metrics.horizontalAdvance(text.mid(tab + 1)));
    }
    return widest;
}

QPointF screenTwipsPerPixel(const QWidget* widget) {
    const QScreen* screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {15, 15};
    return {toolkit::twipsPerPixel(qRound(screen->logicalDotsPerInchX())),
            toolkit::twipsPerPixel(qRound(screen->logicalDotsPerInchY()))};
}

MenuItemLook lookOf(const QStyleOptionMenuItem& option, const State& state) {
    MenuItemLook look;
    look.separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    if (look.separator)
        return look;
    std::tie(look.caption, look.shortcut) = splitAtTab(option.text);
    look.selected = option.state & QStyle::State_Selected;
    look.disabled = !(option.state & QStyle::State_Enabled);
    look.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    look.radio = option.checkType == QStyleOptionMenuItem::Exclusive;
    look.bold = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    look.picture = pictureOf(state, look.caption);
    return look;
}

}  // namespace

PictureMenuStyle::PictureMenuStyle(std::unique_ptr<QStyle> base, picmenu::State& state)
    : QProxyStyle(base.release()), state_(state) {}

void PictureMenuStyle::prepare(QMenu& menu) {
    const PopupMeasures measuresBefore = measures_;
    const int widthBefore = itemWidth_;
    measureNow(menu);
    // The popup keeps the sizes it laid out until told that they changed.
    if (measures_ != measuresBefore || itemWidth_ != widthBefore) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(&menu, &change);
    }
}

void PictureMenuStyle::measureNow(const QMenu& menu) const {
    const MenuDrawing& drawing = drawingOf(state_);
    entries_ = readEntries(menu);
    measures_ = measure(entries_, drawing.metrics);
    const double freezeTwips = state_.freezeTwipsPerPixelX ? state_.freezeTwipsPerPixelX() : 0;
    itemWidth_ = itemWidth(measures_, drawing.metrics.pointSize(), freezeTwips);
    addedShortcutWidth_ = addedShortcutWidth(menu);
    prepared_ = true;
}

void PictureMenuStyle::measureIfNeeded(const QWidget* widget) const {
    if (prepared_)
        return;
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        measureNow(*menu);
}

int PictureMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
    switch (metric) {
        case PM_MenuPanelWidth:
            return kFrameWidth;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize PictureMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    if (type == CT_Menu)
        return size;
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    measureIfNeeded(widget);
    const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
    return {itemWidth_ - addedShortcutWidth_, itemHeight(measures_, separator)};
}

void PictureMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, MenuColors::current().background);
        return;
    }
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    paintItem(*item, *painter, widget);
}

void PictureMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    switch (element) {
        case PE_PanelMenu:
            painter->fillRect(option->rect, MenuColors::current().background);
            paintFrame(*painter, option->rect);
            return;
        case PE_FrameMenu:
            paintFrame(*painter, option->rect);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void PictureMenuStyle::paintItem(const QStyleOptionMenuItem& option, QPainter& painter,
                                 const QWidget* widget) const {
    measureIfNeeded(widget);
    MenuDrawing& drawing = drawingOf(state_);
    const int w = option.rect.width();
    const int h = option.rect.height();
    // One pixel more on the right and at the bottom, background as the item's top row is.
    OffscreenCanvas& canvas = drawing.canvas;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    canvas.setPixelRatio(ratio);
    canvas.setWidth(w + 1);
    canvas.setHeight(h + 1);
    QImage& surface = canvas.image();
    if (surface.isNull())
        return;
    const MenuColors colors = MenuColors::current();
    surface.fill(colors.background);
    {
        QPainter onSurface(&surface);
        const MenuItemLayout layout{QSize(w, h), shortcutLeft(measures_),
                                    screenTwipsPerPixel(widget)};
        MenuItemPainter(drawing.metrics, colors).paint(onSurface, lookOf(option, state_), layout);
    }
    const QSizeF block(w + 1, h + 1);
    painter.drawImage(QRectF(option.rect.topLeft(), block), surface,
                      QRectF(QPointF(0, 0), block * ratio));
}

void PictureMenuStyle::paintFrame(QPainter& painter, const QRect& rect) const {
    const MenuColors colors = MenuColors::current();
    drawEdge(painter, rect, colors.outerLight, colors.outerDark);
    drawEdge(painter, rect.adjusted(1, 1, -1, -1), colors.light, colors.dark);
    drawEdge(painter, rect.adjusted(2, 2, -2, -2), colors.background, colors.background);
}

}  // namespace qv::picmenu
