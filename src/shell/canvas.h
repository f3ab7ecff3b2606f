#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace qv::shell {

class FrozenCanvas;

// A windowless item on the frozen picture. The canvas draws the visible ones over its
// picture in z-order; their geometry is in twips of the canvas's client area.
class CanvasItem {
public:
    // What an item is for, so that code can ask about kinds of items without knowing them.
    // An overlay is a transparent item laid over an object to receive its pointer events.
    enum class Role { Band, Caption, Object, Selection, Overlay };

    virtual ~CanvasItem() = default;
    CanvasItem(const CanvasItem&) = delete;
    CanvasItem& operator=(const CanvasItem&) = delete;

    Role role() const { return role_; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    QRectF geometry() const { return geometry_; }
    double left() const { return geometry_.left(); }
    double top() const { return geometry_.top(); }
    double width() const { return geometry_.width(); }
    double height() const { return geometry_.height(); }
    void setGeometry(double left, double top, double width, double height);
    void move(double left, double top);

protected:
    CanvasItem(FrozenCanvas& canvas, Role role) : canvas_(canvas), role_(role) {}
    void changed();
    // Draws the item into pixels, its geometry converted by the canvas.
    virtual void paint(QPainter& painter, const QRect& pixels) const = 0;

    FrozenCanvas& canvas_;

private:
    friend class FrozenCanvas;
    Role role_;
    bool visible_ = true;
    QRectF geometry_;
};

// A rectangle or circle outline, one pixel wide.
class CanvasShape : public CanvasItem {
public:
    enum Shape { Rectangle, Circle };
    enum BorderStyle { Solid, Dot };

    CanvasShape(FrozenCanvas& canvas, Role role) : CanvasItem(canvas, role) {}
    Shape shape() const { return shape_; }
    void setShape(Shape shape);
    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);
    BorderStyle borderStyle() const { return style_; }
    void setBorderStyle(BorderStyle style);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;

private:
    Shape shape_ = Rectangle;
    BorderStyle style_ = Solid;
    QColor color_ = Qt::black;
};

// A straight line between two points in twips; its geometry is the rectangle they span.
class CanvasLine : public CanvasItem {
public:
    CanvasLine(FrozenCanvas& canvas, Role role) : CanvasItem(canvas, role) {}
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setPoints(double x1, double y1, double x2, double y2);
    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;

private:
    double x1_ = 0;
    double y1_ = 0;
    double x2_ = 0;
    double y2_ = 0;
    QColor color_ = Qt::black;
};

// A caption on an opaque background that sizes itself to its text.
class CanvasLabel : public CanvasItem {
public:
    CanvasLabel(FrozenCanvas& canvas, Role role) : CanvasItem(canvas, role) {}
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QFont font() const { return font_; }
    void setFont(const QFont& font);
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;

private:
    void fitToCaption();
    QString caption_;
    QFont font_;
    QColor textColor_ = Qt::black;
    QColor backgroundColor_ = Qt::white;
};

// The frozen picture: a persistent image (the desktop snapshot only) with windowless items
// drawn over it. What it shows is what a capture of an area reads.
class FrozenCanvas : public QWidget {
public:
    explicit FrozenCanvas(QWidget* parent = nullptr);
    ~FrozenCanvas() override;

    // A new item on top of the others, visible.
    CanvasShape* addShape(CanvasItem::Role role);
    CanvasLabel* addLabel(CanvasItem::Role role);
    CanvasLine* addLine(CanvasItem::Role role);
    void bringToFront(const CanvasItem* item);
    const std::vector<std::unique_ptr<CanvasItem>>& items() const { return items_; }
    bool anyVisible(CanvasItem::Role role) const;

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    void clearPicture();

    // Sizes the canvas to cover a picture of the given size in twips.
    void resizeTwips(double width, double height);
    // The device pixels the canvas lays out: the picture's size once sized in twips.
    QSize pixelSize() const;

    // The device pixels a rectangle in twips covers, by the screen's twips per pixel.
    QRect toPixels(const QRectF& twips) const;
    // What the canvas shows inside a rectangle of device pixels: the picture and the
    // visible items over it.
    QImage render(const QRect& pixels) const;
    // The same with only the visible items that shown accepts.
    using ItemFilter = std::function<bool(const CanvasItem&)>;
    QImage render(const QRect& pixels, const ItemFilter& shown) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintItems(QPainter& painter, const ItemFilter& shown) const;
    QImage picture_;
    QSize pixelSize_;
    std::vector<std::unique_ptr<CanvasItem>> items_;
};

}  // namespace qv::shell
