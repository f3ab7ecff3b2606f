#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QMouseEvent;
class QPainter;

namespace qv::toolkit {

class FrozenCanvas;

// What a windowless item gets of the mouse: the toolkit's button numbers (1 left, 2 right,
// 4 middle; in a move the mask of the buttons held) and the point in twips from the item's
// top-left corner.
struct CanvasMouse {
    enum Action { Down, Move, Up, DoubleClick };
    Action action;
    int button;
    QPointF at;
};

// A windowless item on the frozen picture. The canvas draws the visible ones over its
// picture in z-order; their geometry is in twips of the canvas's client area.
class CanvasItem {
public:
    // What an item is for, so that code can ask about kinds of items without knowing them.
    // An overlay is a transparent item laid over an object to receive its pointer events.
    enum class Role { Band, Caption, Object, Selection, Overlay };
    using MouseHandler = std::function<void(const CanvasMouse&)>;

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

    // An item with a handler takes the mouse where its pixel box lies; others let it through.
    void setMouseHandler(MouseHandler handler) { mouse_ = std::move(handler); }
    bool takesMouse() const { return bool(mouse_); }
    // The toolkit's pointer numbers: 0 arrow, 15 size-all, 8, 7, 6, 9 the sizing pointers,
    // 11 busy. Shown while the pointer is over the item or the item holds the mouse.
    int mousePointer() const { return pointer_; }
    void setMousePointer(int pointer);
    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip) { toolTip_ = tip; }

protected:
    CanvasItem(FrozenCanvas& canvas, Role role) : canvas_(canvas), role_(role) {}
    // Asks for a repaint of what the item covers now.
    void changed();
    // Draws the item into pixels, its geometry converted by the canvas.
    virtual void paint(QPainter& painter, const QRect& pixels) const = 0;
    // How far the drawing may reach outside the pixel box.
    virtual int overhang() const { return 1; }

    FrozenCanvas& canvas_;

private:
    friend class FrozenCanvas;
    Role role_;
    bool visible_ = true;
    QRectF geometry_;
    MouseHandler mouse_;
    int pointer_ = 0;
    QString toolTip_;
};

// A figure with a border and an inside, drawn without antialiasing. Codes are the toolkit's:
// figures 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square;
// border styles 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid;
// fill styles 0 solid, 1 none, 2 to 7 hatches.
class CanvasShape : public CanvasItem {
public:
    enum Shape {
        Rectangle = 0,
        Square = 1,
        Oval = 2,
        Circle = 3,
        RoundedRectangle = 4,
        RoundedSquare = 5
    };
    enum BorderStyle {
        Transparent = 0,
        Solid = 1,
        Dash = 2,
        Dot = 3,
        DashDot = 4,
        DashDotDot = 5,
        InsideSolid = 6
    };
    enum FillStyle { FillSolid = 0, FillNone = 1 };

    CanvasShape(FrozenCanvas& canvas, Role role) : CanvasItem(canvas, role) {}
    Shape shape() const { return shape_; }
    void setShape(Shape shape);
    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);
    BorderStyle borderStyle() const { return style_; }
    void setBorderStyle(BorderStyle style);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque);
    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& color);
    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int style);
    QColor fillColor() const { return fillColor_; }
    void setFillColor(const QColor& color);

    // The pixels a border of width w covers for a box: the box grown by w / 2 (rounded down)
    // less the box shrunk by the rest, so that the border is centred on the outline.
    static QRect outerBorderBox(const QRect& box, int width);
    static QRect innerBorderBox(const QRect& box, int width);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;
    int overhang() const override { return borderWidth_ / 2 + 1; }

private:
    // The pixels of the dotted or dashed outline of a figure of this size, from its corner;
    // kept until the figure's size, kind or style changes, so that moving costs nothing.
    const std::vector<QRect>& outlinePixels(QSize size) const;
    struct OutlinePixels {
        bool valid = false;
        QSize size;
        Shape shape = Rectangle;
        BorderStyle style = Solid;
        std::vector<QRect> runs;
    };
    mutable OutlinePixels outline_;

    Shape shape_ = Rectangle;
    BorderStyle style_ = Solid;
    QColor color_ = Qt::black;
    int borderWidth_ = 1;
    bool opaque_ = false;
    QColor backColor_ = Qt::white;
    int fillStyle_ = FillNone;
    QColor fillColor_ = Qt::black;
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
    // Widths 1 to 99; styles as a shape's border, dashes and dots only at width 1.
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    CanvasShape::BorderStyle borderStyle() const { return style_; }
    void setBorderStyle(CanvasShape::BorderStyle style);

    // The pixels the line covers, each end converted on its own and both ends included.
    // Every pixel of the centre line gets a run of the line's width across its main
    // direction, starting width / 2 (rounded down) before it.
    static std::vector<QRect> runs(QPoint from, QPoint to, int width,
                                   CanvasShape::BorderStyle style);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;
    int overhang() const override { return borderWidth_ / 2 + 2; }

private:
    int borderWidth_ = 1;
    CanvasShape::BorderStyle style_ = CanvasShape::Solid;
    double x1_ = 0;
    double y1_ = 0;
    double x2_ = 0;
    double y2_ = 0;
    QColor color_ = Qt::black;
};

// A caption of one or more left-aligned lines on an opaque background that sizes itself to
// its text (the longest line, every line at the font's line spacing). With a transparent
// background and no caption it draws nothing and serves as a mouse area.
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
    // A label that is not opaque draws no background but keeps its colour for later.
    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;

private:
    void fitToCaption();
    QString caption_;
    QFont font_;
    QColor textColor_ = Qt::black;
    QColor backgroundColor_ = Qt::white;
    bool opaque_ = true;
};

// A picture stretched to the item's box, pixel for pixel (nearest neighbour), its alpha laid
// over what lies below.
class CanvasImage : public CanvasItem {
public:
    CanvasImage(FrozenCanvas& canvas, Role role) : CanvasItem(canvas, role) {}
    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);

protected:
    void paint(QPainter& painter, const QRect& pixels) const override;

private:
    QImage picture_;
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
    CanvasImage* addImage(CanvasItem::Role role);
    void bringToFront(const CanvasItem* item);
    const std::vector<std::unique_ptr<CanvasItem>>& items() const { return items_; }
    bool anyVisible(CanvasItem::Role role) const;

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    void clearPicture();

    // The twips per device pixel the geometry is converted with, asked at each use; 15 both
    // ways unless set.
    void setTwipsPerPixel(std::function<QPointF()> source) { twipsPerPixel_ = std::move(source); }
    QPointF twipsPerPixel() const { return twipsPerPixel_(); }

    // Sizes the canvas to cover a picture of the given size in twips.
    void resizeTwips(double width, double height);
    // The device pixels the canvas lays out: the picture's size once sized in twips.
    QSize pixelSize() const;

    // The device pixels a rectangle in twips covers, by the screen's twips per pixel.
    QRect toPixels(const QRectF& twips) const;
    // What the canvas shows inside a rectangle of device pixels: the picture and the
    // visible items over it, exactly as on the screen wherever the rectangle's edges fall.
    QImage render(const QRect& pixels) const;
    // The same with only the visible items that shown accepts.
    using ItemFilter = std::function<bool(const CanvasItem&)>;
    QImage render(const QRect& pixels, const ItemFilter& shown) const;

    // Hands a mouse event to the item it belongs to: the one holding the mouse since a press,
    // else the topmost visible item that takes the mouse under the pointer. A press that no
    // item takes makes the picture hold the mouse: until the buttons are up no item gets a
    // move or the release. False when no item took it, so that the picture's own handling
    // runs.
    bool routeMouse(const QMouseEvent& event);
    // Ends the hold of a press whose release will not come (a menu or dialog took it).
    void releaseMouseHold() {
        holder_ = nullptr;
        pictureHolds_ = false;
    }
    const CanvasItem* mouseHolder() const { return holder_; }
    // The pointer shown where no item takes the mouse.
    void setAreaCursor(const QCursor& cursor);
    // The Qt pointer for one of the toolkit's pointer numbers.
    static Qt::CursorShape cursorShape(int pointer);

    // Repaints the pixels an item covers now.
    void updateItem(const CanvasItem& item);
    // Shows the pointer of the item holding the mouse or under it, else the area's.
    void showPointer();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    template <class Item>
    Item* add(CanvasItem::Role role);
    void paintItems(QPainter& painter, const QRect& clip, const ItemFilter& shown) const;
    CanvasItem* itemAt(QPoint pixel) const;
    QImage picture_;
    QSize pixelSize_;
    std::vector<std::unique_ptr<CanvasItem>> items_;
    std::function<QPointF()> twipsPerPixel_;
    CanvasItem* holder_ = nullptr;
    bool pictureHolds_ = false;  // a press on no item holds the mouse for the picture
    const CanvasItem* hovered_ = nullptr;
    QCursor areaCursor_;
};

}  // namespace qv::toolkit
