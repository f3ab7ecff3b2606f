#pragma once

#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <memory>
#include <vector>

#include "picmenu/menumeasures.h"

class QMenu;

namespace qv::picmenu {

struct State;

// The style in front of one hooked popup: it measures and paints the popup's items with
// pictures and draws its frame; every other request goes unchanged to the style that was there
// before (a copy of it, which this style owns as its base).
class PictureMenuStyle : public QProxyStyle {
public:
    PictureMenuStyle(std::unique_ptr<QStyle> base, picmenu::State& state);

    // Reads the popup's items and measures them from their current captions; run whenever the
    // popup opens. When the measures change, the popup lays its items out again.
    void prepare(QMenu& menu);
    // The popup is prepared again when it next asks for a size.
    void forget() { prepared_ = false; }
    const PopupMeasures& measures() const { return measures_; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    void measureIfNeeded(const QWidget* widget) const;
    void measureNow(const QMenu& menu) const;
    void paintItem(const QStyleOptionMenuItem& option, QPainter& painter,
                   const QWidget* widget) const;
    void paintFrame(QPainter& painter, const QRect& rect) const;

    picmenu::State& state_;
    // The popup's items and measures as its last opening read them.
    mutable std::vector<MenuEntry> entries_;
    mutable PopupMeasures measures_;
    mutable int itemWidth_ = 0;
    // What the popup adds on its own to the width of its items when one has a Tab in its text.
    mutable int addedShortcutWidth_ = 0;
    mutable bool prepared_ = false;
};

}  // namespace qv::picmenu
